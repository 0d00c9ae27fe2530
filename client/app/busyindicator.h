#pragma once

#include <QTimer>
#include <QWidget>

// A small spinning busy picture, hidden until a job starts.
class BusyIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit BusyIndicator(QWidget *parent = nullptr, int size = 24);

    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};

#pragma once

#include <QString>

#include <stdexcept>

namespace wire {

// Every failure of the wire layer (transport, framing, decoding, a server's
// error answer) is raised as this, carrying a text meant for the user.
class WireError : public std::runtime_error
{
public:
    explicit WireError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace wire

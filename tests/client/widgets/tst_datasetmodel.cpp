#include "client/widgets/datasetmodel.h"
#include "client/widgets/gridfilterproxy.h"
#include "gridfixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace gridtest;
using widgets::DataSetModel;
using widgets::GridColumn;

class TestDataSetModel : public QObject
{
    Q_OBJECT

private slots:
    void missingFieldGivesAbsentColumn();
    void cellsAreReadFromTheDataSet_data();
    void cellsAreReadFromTheDataSet();
    void followsResetAndValueChanges();
    void staysQuietWhileControlsAreDisabled();
    void detachedModelIsEmpty();
    void checkBoxTogglesThroughItsValues_data();
    void checkBoxTogglesThroughItsValues();
    void sortsByRawValueNotText();
};

void TestDataSetModel::missingFieldGivesAbsentColumn()
{
    auto ds = basketDataSet(2);
    QList<GridColumn> cols = basketColumns();
    cols.insert(2, GridColumn(u"YOKBOYLEALAN"_s).caption(u"Olmayan"_s));
    cols.append(GridColumn().caption(u"Fiyat Bilgisi"_s).custom({}, [](const wire::DataSet &d, int r) {
        return d.displayText(r, d.fieldIndex(u"TUTAR")); }));
    DataSetModel model(ds.get(), cols);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(model.modelColumn(u"YOKBOYLEALAN"), -1);
    QCOMPARE(model.columnCount(), cols.size() - 1);
    // the columns after it shift left, the unbound one stays
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"Barkod"_s);
    const int custom = model.modelColumn(u"Fiyat Bilgisi");
    QVERIFY(custom >= 0);
    QCOMPARE(model.fieldColumn(custom), -1);
    QCOMPARE(model.index(1, custom).data().toString(), u"40,50"_s);
    // KDV has no caption: its header is the field name
    QCOMPARE(model.headerData(model.modelColumn(u"KDV"), Qt::Horizontal).toString(), u"KDV"_s);
}

void TestDataSetModel::cellsAreReadFromTheDataSet_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<QVariant>("display");
    QTest::addColumn<QVariant>("raw");
    QTest::addColumn<int>("alignment");

    QTest::newRow("float with the display format") << u"TUTAR"_s << 1 << QVariant(u"40,50"_s) << QVariant(40.5)
                                                   << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("thousands grouped") << u"TUTAR"_s << 99 << QVariant(u"100.025,00"_s)
                                       << QVariant(100025.0) << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("Turkish text intact") << u"STOKADI"_s << 2 << QVariant(u"ŞANZIMAN YATAĞI"_s)
                                         << QVariant(u"ŞANZIMAN YATAĞI"_s) << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("integer right aligned") << u"KDV"_s << 0 << QVariant(u"20"_s) << QVariant(20)
                                           << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("date as day") << u"VERILISTARIHI"_s << 0 << QVariant(u"01.12.2026"_s)
                                 << QVariant(QDateTime(QDate(2026, 12, 1), QTime(0, 0))) << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("explicit centre") << u"INDIRIMYAZI"_s << 0 << QVariant(u"%10 + %5"_s) << QVariant(u"%10 + %5"_s)
                                     << int(Qt::AlignCenter);
    QTest::newRow("status picture has no text") << u"DURUM"_s << 3 << QVariant() << QVariant(3) << int(Qt::AlignCenter);
    QTest::newRow("check box has no text") << u"SEC"_s << 1 << QVariant() << QVariant(1) << int(Qt::AlignCenter);
}

void TestDataSetModel::cellsAreReadFromTheDataSet()
{
    QFETCH(QString, key);
    QFETCH(int, row);
    QFETCH(QVariant, display);
    QFETCH(QVariant, raw);
    QFETCH(int, alignment);
    auto ds = basketDataSet(100);
    DataSetModel model(ds.get(), basketColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QModelIndex ix = model.index(row, model.modelColumn(key));
    QVERIFY(ix.isValid());
    QCOMPARE(ix.data(Qt::DisplayRole), display);
    QVariant gotRaw = ix.data(widgets::RawValueRole);
    if (raw.typeId() == QMetaType::QDateTime)
        QCOMPARE(gotRaw.toDateTime(), raw.toDateTime());
    else
        QCOMPARE(gotRaw, raw);
    QCOMPARE(ix.data(Qt::TextAlignmentRole).value<Qt::Alignment>().toInt(), alignment);
    QCOMPARE(ix.data(widgets::RecordRole).toInt(), row);
}

void TestDataSetModel::followsResetAndValueChanges()
{
    auto ds = basketDataSet(3);
    DataSetModel model(ds.get(), basketColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    const int tutar = model.modelColumn(u"TUTAR");
    ds->post(1, ds->fieldIndex(u"TUTAR"), 99.5);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toModelIndex(), model.index(1, tutar));
    QCOMPARE(model.index(1, tutar).data().toString(), u"99,50"_s);

    // a new load with fewer rows and without BARKOD
    using T = wire::FieldType;
    auto other = makeDataSet({{u"TUTAR"_s, T::Float, 0}, {u"STOKADI"_s, T::String, 20}},
                             {{1.0, u"A"_s}});
    ds->setTable(other->table());
    QCOMPARE(resets.size(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.modelColumn(u"BARKOD"), -1);
    QCOMPARE(model.index(0, model.modelColumn(u"STOKADI")).data().toString(), u"A"_s);
}

void TestDataSetModel::staysQuietWhileControlsAreDisabled()
{
    auto ds = basketDataSet(3);
    DataSetModel model(ds.get(), basketColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    ds->disableControls();
    for (int r = 0; r < 3; ++r)
        ds->post(r, ds->fieldIndex(u"TUTAR"), 1.0 * r);
    ds->setTable(basketDataSet(5)->table());
    QCOMPARE(changes.size(), 0);
    QCOMPARE(resets.size(), 0);
    ds->enableControls();
    QCOMPARE(resets.size(), 1); // one repaint for the whole batch
    QCOMPARE(model.rowCount(), 5);
}

void TestDataSetModel::detachedModelIsEmpty()
{
    auto ds = basketDataSet(3);
    DataSetModel model(ds.get(), basketColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setAttached(false);
    QCOMPARE(model.rowCount(), 0);
    ds->setTable(basketDataSet(7)->table()); // the load while detached
    QCOMPARE(model.rowCount(), 0);
    model.setAttached(true);
    QCOMPARE(model.rowCount(), 7);
}

void TestDataSetModel::checkBoxTogglesThroughItsValues_data()
{
    QTest::addColumn<QVariant>("checkedValue");
    QTest::addColumn<QVariant>("uncheckedValue");
    QTest::addColumn<QVariant>("start");
    QTest::addColumn<QVariant>("afterOne");
    QTest::addColumn<int>("stateAfterOne");

    QTest::newRow("0 becomes 1") << QVariant(1) << QVariant(0) << QVariant(0) << QVariant(1) << int(Qt::Checked);
    QTest::newRow("1 becomes 0") << QVariant(1) << QVariant(0) << QVariant(1) << QVariant(0) << int(Qt::Unchecked);
    QTest::newRow("any other value counts as unchecked") << QVariant(1) << QVariant(0) << QVariant(7) << QVariant(1)
                                                         << int(Qt::Checked);
    QTest::newRow("other pair of values") << QVariant(5) << QVariant(2) << QVariant(2) << QVariant(5) << int(Qt::Checked);
}

void TestDataSetModel::checkBoxTogglesThroughItsValues()
{
    QFETCH(QVariant, checkedValue);
    QFETCH(QVariant, uncheckedValue);
    QFETCH(QVariant, start);
    QFETCH(QVariant, afterOne);
    QFETCH(int, stateAfterOne);
    using T = wire::FieldType;
    auto ds = makeDataSet({{u"SIRANO"_s, T::Integer, 0}, {u"SEC"_s, T::Integer, 0}}, {{10, start}, {11, start}});
    DataSetModel model(ds.get(), {GridColumn(u"SEC"_s).checkBox(checkedValue, uncheckedValue), GridColumn(u"SIRANO"_s)});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy toggled(&model, &DataSetModel::checkToggled);

    QVERIFY(model.toggleCheck(model.index(1, 0)));
    QCOMPARE(ds->value(1, 1), afterOne);
    QCOMPARE(ds->value(0, 1), start); // the other row untouched
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), stateAfterOne);
    QCOMPARE(toggled.size(), 1);
    QCOMPARE(toggled.at(0).at(0).toInt(), 1);
    QCOMPARE(toggled.at(0).at(1).toString(), u"SEC"_s);
    QCOMPARE(toggled.at(0).at(2), afterOne);

    QVERIFY(model.toggleCheck(model.index(1, 0)));
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(),
             stateAfterOne == Qt::Checked ? int(Qt::Unchecked) : int(Qt::Checked));
    // a plain column is no check box
    QVERIFY(!model.toggleCheck(model.index(1, 1)));
    QCOMPARE(toggled.size(), 2);
}

void TestDataSetModel::sortsByRawValueNotText()
{
    using T = wire::FieldType;
    // as text "9,00" sorts after "10,00"; as numbers it comes first
    auto ds = makeDataSet({{u"TUTAR"_s, T::Float, 0}}, {{10.0}, {9.0}, {QVariant()}, {100.0}});
    ds->setFloatDisplayFormat(u"#,###,##0.00"_s);
    ds->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    DataSetModel model(ds.get(), {GridColumn(u"TUTAR"_s).number()});
    widgets::GridFilterProxy proxy;
    proxy.setSourceModel(&model);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.sort(0, Qt::AscendingOrder);
    QStringList order;
    for (int r = 0; r < proxy.rowCount(); ++r)
        order << proxy.index(r, 0).data().toString();
    QCOMPARE(order, (QStringList{QString(), u"9,00"_s, u"10,00"_s, u"100,00"_s}));
}

QTEST_MAIN(TestDataSetModel)
#include "tst_datasetmodel.moc"

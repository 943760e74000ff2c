#include "dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDialog : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void showAboutReturnsWhenClosedAndStartsAfresh();
};

void TestDialog::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void TestDialog::keys()
{
    QFETCH(int, key);
    QFETCH(bool, closes);
    QWidget owner;
    owner.show();
    Dialog box(&owner);
    box.open();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QCOMPARE(QApplication::focusWidget(), box.OKButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(box.isVisible(), !closes);
    if (closes)
        QCOMPARE(box.result(), int(QDialog::Accepted));
}

void TestDialog::showAboutReturnsWhenClosedAndStartsAfresh()
{
    QWidget owner;
    owner.show();
    QStringList seen;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen.append(box->Label2->text() + box->lbName->text());
            box->lbName->setText(QStringLiteral("changed"));
            box->OKButton->click();
        });
        Dialog::showAbout(&owner);
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1], seen[0]);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestDialog)
#include "test_dialog.moc"

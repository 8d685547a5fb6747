// The desktop's message box behind the seam: a question with two answers is answered "no" unless
// the user chooses "yes".
#include "ui/seams/QtSeams.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Calls step with the message box as soon as it is shown (it runs its own event loop); gives up
// after five seconds.
void whenShown(std::function<void(QMessageBox*)> step, int triesLeft = 250)
{
    QTimer::singleShot(20, qApp, [step = std::move(step), triesLeft]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
            step(box);
            return;
        }
        if (triesLeft > 0)
            whenShown(std::move(step), triesLeft - 1);
    });
}

QPushButton* buttonCaptioned(QMessageBox* box, const QString& caption)
{
    for (QAbstractButton* button : box->buttons())
        if (button->text() == caption)
            return qobject_cast<QPushButton*>(button);
    return nullptr;
}

} // namespace

class TestQtMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void yesOnlyWhenChosen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes clicked") << "Remove" << true;
        QTest::newRow("no clicked") << "Keep" << false;
        QTest::newRow("Enter takes the default") << "Enter" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }
    void yesOnlyWhenChosen()
    {
        QFETCH(QString, how);
        QFETCH(bool, yes);
        QStringList captions;
        QString shownText;
        whenShown([&](QMessageBox* box) {
            for (QAbstractButton* button : box->buttons())
                captions.append(button->text());
            shownText = box->text();
            if (how == "Enter" || how == "Escape")
                QTest::keyClick(box, how == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            else if (QPushButton* button = buttonCaptioned(box, how))
                button->click();
        });
        QtMessageBox messageBox;
        QCOMPARE(messageBox.askYesOrNo(nullptr, "Remove them?", "Error", "Remove", "Keep"), yes);
        captions.sort();
        QCOMPARE(captions, QStringList({"Keep", "Remove"}));
        QCOMPARE(shownText, QStringLiteral("Remove them?"));
    }
};

QTEST_MAIN(TestQtMessageBox)
#include "tst_qt_message_box.moc"

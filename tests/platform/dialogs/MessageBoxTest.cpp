#include "platform/App.h"
#include "support/ScriptedMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(MessageBoxService, ABoxWithoutATitleShowsTheApplicationTitle)
{
    App::setTitle(QStringLiteral("Corvala"));
    ScriptedMessageBox messages;
    messages.answers = {vbNo};

    EXPECT_EQ(messages.MsgBox(QStringLiteral("Do you want to start a new document."), vbYesNo), vbNo);
    messages.MsgBox(QStringLiteral("text"), vbOKOnly | vbExclamation, QStringLiteral("Application Error"));

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Corvala"));
    EXPECT_EQ(messages.shown[0].style, vbYesNo);
    EXPECT_EQ(messages.shown[1].title, QStringLiteral("Application Error"));
}

// Shows a real box and, once it is up, does to it what a user would; returns the answer and
// the window the box belonged to.
struct Outcome {
    int answer;
    QWidget *parent;
};

Outcome answerRealBox(QWidget *owner, int style, const std::function<void(QMessageBox &)> &act)
{
    QtMessageBoxService service;
    service.setOwner(owner);
    QWidget *parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        for (QWidget *shown : QApplication::topLevelWidgets())
            if (!box && shown->isVisible())
                box = qobject_cast<QMessageBox *>(shown);
        if (!box)
            return;
        parent = box->parentWidget();
        act(*box);
        // A box the action left open would wait for ever: it goes, and the answer shows it.
        QPointer<QMessageBox> left(box);
        QTimer::singleShot(0, [left] {
            if (left && left->isVisible())
                left->done(-1);
        });
    });
    const int answer = service.MsgBox(QStringLiteral("Do you want to save changes to Untitled?"), style);
    return {answer, parent};
}

TEST(QtMessageBoxService, EscapeAndTheCloseBoxOfAYesNoQuestionAnswerNeitherYesNorNo)
{
    // Not shown, so not active either: the box must find its window through its owner.
    QWidget window;
    const struct {
        const char *name;
        int style;
        std::function<void(QMessageBox &)> act;
        int answer;
    } cases[] = {
        {"Escape", vbYesNo, [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }, vbCancel},
        {"close box", vbYesNo, [](QMessageBox &box) { box.close(); }, vbCancel},
        {"Yes", vbYesNo, [](QMessageBox &box) { box.button(QMessageBox::Yes)->click(); }, vbYes},
        {"No", vbYesNo, [](QMessageBox &box) { box.button(QMessageBox::No)->click(); }, vbNo},
        {"Escape at OK", vbOKOnly | vbExclamation, [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }, vbOK},
    };
    for (const auto &c : cases) {
        const Outcome outcome = answerRealBox(&window, c.style, c.act);
        EXPECT_EQ(outcome.answer, c.answer) << c.name;
        // Centred over the window it is about, whichever window is active.
        EXPECT_EQ(outcome.parent, &window) << c.name;
    }
}

} // namespace

#pragma once

#include "mainwindow/Form1.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/toolbar/Toolbar.h"
#include "support/ScriptedDialogHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// A started main window, shown on the offscreen screen, whose message boxes and dialogs are
// answered by scripts and whose end of the program is only recorded.
class MainWindowTest : public ::testing::Test
{
public:
    void SetUp() override { start(); }

    void start()
    {
        form = std::make_unique<Form1>(messages, dialogs);
        form->ApplicationDirectory = appDir.path();
        form->EndProgram = [this] { ++programEnded; };
        form->Form_Load();
        form->show();
        QApplication::setActiveWindow(form.get());
        form->txtEdit->setFocus();
    }

    // A fresh window, with nothing shown or scripted yet, for the next case of a table.
    void restart()
    {
        form.reset();
        messages.shown.clear();
        messages.answers.clear();
        dialogs.fileRequests.clear();
        dialogs.fileAnswers.clear();
        programEnded = 0;
        start();
    }

    QString path(const char *name) const { return appDir.filePath(QString::fromUtf8(name)); }

    static QByteArray readFile(const QString &name) { return TestFiles::readBytes(name); }
    static void writeFile(const QString &name, const QByteArray &bytes) { TestFiles::writeBytes(name, bytes); }

    void type(const char *text) { QTest::keyClicks(form->txtEdit, QString::fromUtf8(text)); }

    // The close box: true when the window went on to close.
    bool closeWindow() { return form->close(); }

    QStringList promptsShown() const
    {
        QStringList prompts;
        for (const auto &box : messages.shown)
            prompts << box.prompt;
        return prompts;
    }

    QTemporaryDir appDir;
    ScriptedMessageBox messages;
    ScriptedDialogHost dialogs;
    std::unique_ptr<Form1> form;
    int programEnded = 0;
};

#pragma once

#include "editor/mTxtHelper.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

// A facade bound to an editing area in a shown window, beside a line edit that holds the
// focus at the start of every test, so that a test can see the focus move.
class FacadeTest : public ::testing::Test
{
protected:
    QWidget window;
    QLineEdit elsewhere{&window};
    RichTextBox box{&window};
    mTxtHelper facade;

    FacadeTest()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&elsewhere);
        layout->addWidget(&box);
        window.resize(400, 300);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        elsewhere.setFocus();
        facade.SetEditor(&box);
    }

    bool boxHasFocus() const { return window.focusWidget() == &box; }

    void select(int start, int length)
    {
        box.setSelStart(start);
        box.setSelLength(length);
    }
};

#pragma once
#include "ctlkit/lang/qt/ControlId.h"
#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

// Finding a dialog's controls and typing into it as a user would, for the dialog tests.

// The control with identifier `id`, of that class; a test failure when there is none.
template <class Control> Control* Find(QWidget& dialog, unsigned id) {
    auto* control = qobject_cast<Control*>(FindControl(dialog, id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

// A key typed where the keyboard focus is.
inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Alt and a mnemonic; a button's mnemonic clicks it with a short animation, waited for.
inline void Mnemonic(QWidget& dialog, Qt::Key key) {
    QTest::keyClick(&dialog, key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->isDown()) return false;
        return true;
    }));
}

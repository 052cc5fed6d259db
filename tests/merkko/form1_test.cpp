#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRect>

#include <memory>

namespace {

void key(QWidget* target, Qt::Key keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, keyCode, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, keyCode, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<merkko::Form1>();
        text1 = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        label1 = form->findChild<QLabel*>(QStringLiteral("Label1"));
        ASSERT_NE(text1, nullptr);
        ASSERT_NE(label1, nullptr);
    }

    void TearDown() override {
        form.reset();
        QApplication::processEvents();
    }

    void showAndActivate() {
        form->show();
        form->activateWindow();
        QApplication::processEvents();
    }

    // Keys go where the keyboard focus is, as they would for a user.
    QWidget* keyboardTarget() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : form.get();
    }

    void type(const QString& text) {
        for (QChar c : text)
            key(keyboardTarget(), Qt::Key(QChar(c).toUpper().unicode()),
                c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }

    std::unique_ptr<merkko::Form1> form;
    QLineEdit* text1 = nullptr;
    QLabel* label1 = nullptr;
};

TEST_F(Form1Test, WindowIsNamedAndCaptioned) {
    EXPECT_EQ(form->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Show ascii"));
    EXPECT_EQ(form->Text1, text1);
    EXPECT_EQ(form->Label1, label1);
}

TEST_F(Form1Test, ShowsStartingContentsBeforeActivation) {
    EXPECT_EQ(text1->text(), QStringLiteral("W"));
    EXPECT_EQ(label1->text(), QStringLiteral("134"));
}

TEST_F(Form1Test, SmallSquareBoxTopLeftWithLabelToItsRight) {
    const QRect box = text1->geometry();
    const QRect label = label1->geometry();
    EXPECT_EQ(box.width(), box.height());
    EXPECT_LT(box.left(), 20);
    EXPECT_LT(box.top(), 20);
    EXPECT_LE(box.width(), 48);
    EXPECT_GT(label.left(), box.right());
    EXPECT_LT(label.top(), box.bottom());
    EXPECT_GT(label.bottom(), box.top());
    EXPECT_TRUE(form->rect().contains(box));
    EXPECT_TRUE(form->rect().contains(label));
    EXPECT_LE(form->width(), 200);
    EXPECT_LE(form->height(), 100);
}

TEST_F(Form1Test, ControlsUseTwelvePointSansSerif) {
    const bool hasMsSansSerif = QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"));
    QFont sans;
    sans.setStyleHint(QFont::SansSerif);
    const QString family = hasMsSansSerif ? QStringLiteral("MS Sans Serif") : sans.defaultFamily();
    for (QWidget* control : {static_cast<QWidget*>(text1), static_cast<QWidget*>(label1)}) {
        EXPECT_EQ(control->font().pointSize(), 12) << control->objectName().toStdString();
        EXPECT_EQ(control->font().family(), family) << control->objectName().toStdString();
    }
}

TEST_F(Form1Test, ActivationSelectsLowercaseAAndShows97) {
    showAndActivate();
    EXPECT_EQ(text1->text(), QStringLiteral("a"));
    EXPECT_EQ(text1->selectionStart(), 0);
    EXPECT_EQ(text1->selectionLength(), 1);
    EXPECT_EQ(text1->selectedText(), QStringLiteral("a"));
    EXPECT_EQ(label1->text(), QStringLiteral("97"));
    EXPECT_EQ(QApplication::focusWidget(), text1);
}

TEST_F(Form1Test, TypingCapitalAOverTheSelectionShows65) {
    showAndActivate();
    type(QStringLiteral("A"));
    EXPECT_EQ(text1->text(), QStringLiteral("A"));
    EXPECT_EQ(label1->text(), QStringLiteral("65"));
}

TEST_F(Form1Test, PastingHelloShows72) {
    showAndActivate();
    QApplication::clipboard()->setText(QStringLiteral("Hello"));
    key(keyboardTarget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), QStringLiteral("Hello"));
    EXPECT_EQ(label1->text(), QStringLiteral("72"));
}

TEST_F(Form1Test, OnlyTheFirstCharacterCounts) {
    showAndActivate();
    type(QStringLiteral("Hz"));
    EXPECT_EQ(text1->text(), QStringLiteral("Hz"));
    EXPECT_EQ(label1->text(), QStringLiteral("72"));
}

TEST_F(Form1Test, DeletingEverythingKeepsTheLastCode) {
    showAndActivate();
    type(QStringLiteral("A"));
    ASSERT_EQ(label1->text(), QStringLiteral("65"));
    key(keyboardTarget(), Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), QString());
    EXPECT_EQ(label1->text(), QStringLiteral("65"));
}

TEST_F(Form1Test, SelectingAllAndDeletingKeepsTheLastCode) {
    showAndActivate();
    QApplication::clipboard()->setText(QStringLiteral("Hello"));
    key(keyboardTarget(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(label1->text(), QStringLiteral("72"));
    key(keyboardTarget(), Qt::Key_A, Qt::ControlModifier);
    key(keyboardTarget(), Qt::Key_Delete);
    EXPECT_EQ(text1->text(), QString());
    EXPECT_EQ(label1->text(), QStringLiteral("72"));
}

TEST_F(Form1Test, ClearingFromCodeKeepsTheLastCode) {
    showAndActivate();
    text1->setText(QStringLiteral("€"));
    ASSERT_EQ(label1->text(), QStringLiteral("128"));
    text1->clear();
    EXPECT_EQ(label1->text(), QStringLiteral("128"));
}

TEST_F(Form1Test, SpaceShows32) {
    showAndActivate();
    key(keyboardTarget(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_EQ(text1->text(), QStringLiteral(" "));
    EXPECT_EQ(label1->text(), QStringLiteral("32"));
}

TEST_F(Form1Test, CharacterOutsideTheCodePageShows63) {
    showAndActivate();
    text1->setText(QStringLiteral("Ω"));
    EXPECT_EQ(label1->text(), QStringLiteral("63"));
    text1->setText(QString::fromUcs4(U"\U0001F600"));
    EXPECT_EQ(label1->text(), QStringLiteral("63"));
}

TEST_F(Form1Test, ActivationHappensOnlyOnce) {
    showAndActivate();
    type(QStringLiteral("Z"));
    ASSERT_EQ(text1->text(), QStringLiteral("Z"));
    form->hide();
    QApplication::processEvents();
    showAndActivate();
    form->Form_Activate();
    EXPECT_EQ(text1->text(), QStringLiteral("Z"));
    EXPECT_EQ(label1->text(), QStringLiteral("90"));
}

}  // namespace

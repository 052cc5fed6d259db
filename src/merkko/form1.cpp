#include "form1.h"

#include "codepage.h"

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>

namespace merkko {

namespace {

QFont controlFont() {
    QFont font;
    if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) {
        font.setFamily(QStringLiteral("MS Sans Serif"));
    } else {
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(font.defaultFamily());
    }
    font.setPointSize(12);
    return font;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Show ascii"));

    const QFont font = controlFont();

    // The contents the window is drawn with before its activation replaces them.
    Text1 = new QLineEdit(QStringLiteral("W"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(font);
    Text1->setGeometry(8, 8, 33, 33);

    Label1 = new QLabel(QStringLiteral("134"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(font);
    Label1->setGeometry(49, 8, 72, 33);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    resize(129, 49);

    // textChanged fires for the user's edits and for text set from code alike,
    // so activation's "a" reaches the label through the same handler.
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
}

void Form1::Form_Activate() {
    if (activated_)
        return;
    activated_ = true;
    Text1->setText(QStringLiteral("a"));
    Text1->setSelection(0, 1);
}

void Form1::Text1_Change() {
    if (const std::optional<int> code = firstCharacterCode(Text1->text()))
        Label1->setText(QString::number(*code));
}

bool Form1::event(QEvent* event) {
    // The first show counts as the activation: without a window manager the
    // window system may never activate the window on its own, and this is the
    // program's only window, so it is the active one from the moment it shows.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

}  // namespace merkko

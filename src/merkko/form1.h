#pragma once

#include <QWidget>

class QEvent;
class QLabel;
class QLineEdit;

namespace merkko {

// Merkko's one window: a small text box and, beside it, the code of the
// first character typed into it.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;

public slots:
    // Puts "a" in the box with that one character selected, so the next key
    // press replaces it. Runs once per window.
    void Form_Activate();
    // Shows the code of the box's first character; an empty box leaves the
    // label as it was.
    void Text1_Change();

protected:
    bool event(QEvent* event) override;

private:
    bool activated_ = false;
};

}  // namespace merkko

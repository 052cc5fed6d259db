#include "qt/about_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/lifecycle.h"

namespace quorvel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* TextLabel(QWidget* parent, const char* objectName, const std::string& text) {
  auto* l = new QLabel(Q(text), parent);
  l->setObjectName(objectName);
  return l;
}
}  // namespace

AboutDialog::AboutDialog(AboutBox& model, QWidget* parent) : QDialog(parent), m_(model) {
  setObjectName("About");
  setModal(true);
  setWindowTitle(Q(m_.caption));

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName("picIcon");
  picIcon->setAccessibleName("Program picture");
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
  picIcon->setPixmap(icon.pixmap(48, 48));

  auto* text = new QVBoxLayout;
  auto* product = TextLabel(this, "lblProduct", kProductName);
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  product->setFont(big);
  text->addWidget(product);
  text->addWidget(TextLabel(this, "lblVersion", m_.lblVersion.caption));
  text->addWidget(TextLabel(this, "lblDescription", m_.lblDescription.caption));
  text->addSpacing(12);
  for (int i = 0; i < 3; ++i) {
    const std::string& caption = m_.lblTitle[size_t(i)].caption;
    QLabel* l = TextLabel(this, "", caption);
    l->setObjectName(QString("lblTitle(%1)").arg(i));
    if (i > 0) {
      // A link: clicked with the mouse or reached with Tab and Enter.
      l->setText(QString("<a href=\"%1\">%2</a>").arg(i).arg(Q(caption).toHtmlEscaped()));
      l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
      l->setAccessibleName(Q(caption));
      connect(l, &QLabel::linkActivated, this, [this, i] { lblTitle_Click(m_, i); });
    }
    text->addWidget(l);
  }

  auto* cmdOK = new QPushButton(Q(m_.cmdOK.caption), this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    cmdOK_Click(m_);
    if (m_.closed) accept();
  });

  auto* body = new QHBoxLayout;
  body->addWidget(picIcon, 0, Qt::AlignTop);
  body->addSpacing(12);
  body->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  auto* all = new QVBoxLayout(this);
  all->addLayout(body);
  all->addSpacing(8);
  all->addLayout(buttons);
}

}  // namespace quorvel

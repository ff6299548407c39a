#include "termhilfefenster.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "graf_rus.h"
#include "termhilfe.h"

void termhilfeanbringen(TFGraf& f) {
  f.M_ksystem->addSeparator();
  QAction* a = f.M_ksystem->addAction(QStringLiteral("Как записывать функции"));
  a->setObjectName(QStringLiteral("termhilfe"));
  a->setShortcut(QKeySequence(Qt::Key_F1));
  QObject::connect(a, &QAction::triggered, &f, [&f] { termhilfezeigen(f); });
}

void termhilfezeigen(TFGraf& f) {
  auto* fenster = f.findChild<QDialog*>(QStringLiteral("termhilfefenster"));
  if (!fenster) {
    fenster = new QDialog(&f);
    fenster->setObjectName(QStringLiteral("termhilfefenster"));
    fenster->setWindowTitle(QStringLiteral("Как записывать функции"));
    auto* text = new QTextBrowser(fenster);
    text->setHtml(QString::fromStdU16String(termhilfe()));
    auto* rahmen = new QVBoxLayout(fenster);
    rahmen->addWidget(text);
    fenster->resize(760, 640);
  }
  fenster->show();
  fenster->raise();
  fenster->activateWindow();
}

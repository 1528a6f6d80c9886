#include "rx41/core/wait_form.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "rx41/core/event_pass.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {

waitform::waitform(QWidget* owner) : QDialog(owner), Label1_(named(new QLabel(this), QStringLiteral("Label1"))) {
  setControlName(*this, QStringLiteral("waitform"));
  setWindowTitle(QApplication::applicationDisplayName());
  setModal(false);
  Label1_->setText(QLatin1String(device_text::kWaitProgramming));
  Label1_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1_);
}

void waitform::Init(const QString& text) { Label1_->setText(text); }

void waitform::TextChange(const QString& text) { Label1_->setText(text); }

QString waitform::text() const { return Label1_->text(); }

WaitNotice::WaitNotice(QWidget* owner, const QString& text) : form_(new waitform(owner)) {
  form_->Init(text);
  form_->show();
  letEventsRun();
}

WaitNotice::~WaitNotice() { delete form_.data(); }

void WaitNotice::change(const QString& text) {
  if (!form_) return;
  form_->TextChange(text);
  letEventsRun();
}

}  // namespace rx41

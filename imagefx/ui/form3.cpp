// The custom kernel dialog.
#include "imagefx/ui/form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "imagefx/core/form_layout.h"

namespace imagefx::ui {

Form3::Form3(FilterSettings& settings, QWidget* owner) : QDialog(owner), settings_(settings) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("自定义滤镜"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(184, 144);
    const KernelEntries design;
    const int lefts[3] = {120, 480, 840};
    for (int i = 0; i < 9; ++i) {
        auto* t = new QLineEdit(design.weights[i], this);
        t->setObjectName(QStringLiteral("Text1_%1").arg(i));
        t->setAlignment(Qt::AlignCenter);
        t->setGeometry(layout::pixels(lefts[i % 3], lefts[i / 3], 375, 375));
        Text1[i] = t;
    }
    Label1 = new QLabel(QStringLiteral("Divide:"), this);
    Label1->setGeometry(96, 6, 80, 16);
    Text2 = new QLineEdit(design.divide, this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(96, 23, 80, 21);
    Label2 = new QLabel(QStringLiteral("Blas:"), this);
    Label2->setGeometry(96, 46, 80, 16);
    Text3 = new QLineEdit(design.bias, this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setGeometry(96, 63, 80, 21);
    Command1 = new QPushButton(QStringLiteral("确定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(8, 93, 78, 25);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(98, 93, 78, 25);
    // Says which entry was refused; empty until then.
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 122, 168, 18);
    QPalette warning = Label3->palette();
    warning.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    Label3->setPalette(warning);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
}

KernelEntries Form3::entries() const {
    KernelEntries e;
    for (int i = 0; i < 9; ++i) e.weights[i] = Text1[i]->text();
    e.divide = Text2->text();
    e.bias = Text3->text();
    return e;
}

QLineEdit* Form3::box(int index) const {
    if (index == kDivideBox) return Text2;
    if (index == kBiasBox) return Text3;
    return Text1[index];
}

void Form3::Command1_Click() {
    const KernelEntries e = entries();
    if (const auto bad = acceptEntries(e, settings_)) {
        Label3->setText(entryProblem(e, *bad));
        QLineEdit* offending = box(*bad);
        offending->setFocus();
        offending->selectAll();
        return;
    }
    Label3->clear();
    accept();
}

void Form3::Command2_Click() {
    settings_.FilterOk = false;
    QDialog::reject();
}

void Form3::reject() {
    if (closing_) {
        QDialog::reject();  // the close box: FilterOk stays as it was
        return;
    }
    Command2_Click();
}

void Form3::closeEvent(QCloseEvent* event) {
    closing_ = true;
    unloaded_ = true;
    QDialog::closeEvent(event);
    closing_ = false;
}

}  // namespace imagefx::ui

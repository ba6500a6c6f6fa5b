// Form1: building the window, its enabling, and the exit sequence.
#include "imagefx/ui/form1.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>

#include "imagefx/core/caption.h"
#include "imagefx/core/form_layout.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/form3.h"
#include "imagefx/ui/picture_view.h"
#include "platform/ui/fixed_window.h"
#include "platform/ui/fonts.h"
#include "platform/ui/return_key.h"

namespace imagefx::ui {

namespace {

QPushButton* button(const QString& caption, const QString& name, QWidget* parent, QRect at) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(at);
    return b;
}

}  // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    using namespace layout;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFont(platform::ui::songFont(9));
    setFixedSize(pixels(0, 0, kFormW, kFormH).size());

    Pic2 = new QFrame(this);
    Pic2->setObjectName(QStringLiteral("Pic2"));
    Pic2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Pic2->setLineWidth(kViewportBorder);
    Pic2->setGeometry(pixels(kPic2[0], kPic2[1], kPic2[2], kPic2[3]));
    Pic3 = new PictureView(Pic2);
    Pic3->setObjectName(QStringLiteral("Pic3"));
    Pic3->hide();
    Image1 = new PictureView(Pic2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();

    ComOpen = button(QStringLiteral("打开图片文件"), QStringLiteral("ComOpen"), this,
                     pixels(kColumnLeft, kComOpenTop, kColumnW, kComOpenH));
    Frame1 = new QGroupBox(QStringLiteral("滤镜操作"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(pixels(kColumnLeft, kFrame1Top, kColumnW, kFrame1H));
    for (int i = 0; i < 6; ++i) {
        Command1[i] = button(buttonCaption(presetFilters()[i]), QStringLiteral("Command1_%1").arg(i),
                             Frame1, pixels(kButtonLeft, 240, kButtonW, kButtonH));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Custom1 = button(QStringLiteral("自定义滤镜"), QStringLiteral("Custom1"), Frame1,
                     pixels(kButtonLeft, 240, kButtonW, kButtonH));
    Frame2 = new QGroupBox(QStringLiteral("其他操作"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(pixels(kColumnLeft, kFrame2Top, kColumnW, kFrame2H));
    const QString command2Captions[3] = {QStringLiteral("水平翻转"), QStringLiteral("垂直翻转"),
                                         QStringLiteral("设为墙纸")};
    for (int i = 0; i < 3; ++i) {
        Command2[i] = button(command2Captions[i], QStringLiteral("Command2_%1").arg(i), Frame2,
                             pixels(kButtonLeft, kCommand2Tops[i], kButtonW, kButtonH));
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    Save = button(QStringLiteral("保存图片文件"), QStringLiteral("Save"), this,
                  pixels(kColumnLeft, kSaveTop, kColumnW, kSaveH));
    connect(ComOpen, &QPushButton::clicked, this, &Form1::ComOpen_Click);
    connect(Custom1, &QPushButton::clicked, this, &Form1::Custom1_Click);
    connect(Save, &QPushButton::clicked, this, [this] {
        // The button alone says when nothing was written: the user would otherwise
        // leave believing the picture is kept.
        if (!Save_Click())
            services_.boxes.show(QStringLiteral("保存图片失败！"), QStringLiteral("提示"),
                                 platform::MsgButtons::Ok, platform::MsgIcon::Information);
    });

    form2_ = new Form2(this);
    platform::ui::pressButtonsOnReturn(this);
    platform::ui::refuseMaximise(this);
    Form_Load();
    apply(FormEvent::Start);
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    // The design positions assume a font whose lines are 12 pixels high and a frame whose
    // title takes no room; the style's frames and the fonts in use decide here.
    layout::ColumnNeeds needs;
    Frame1->ensurePolished();
    const QRect inner = Frame1->contentsRect();
    needs.frameTop = inner.top();
    needs.frameBottom = Frame1->height() - inner.bottom() - 1;
    needs.frameSide = inner.left();
    const QStyle* style = Custom1->style();
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Custom1);
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, Custom1);
    const QFontMetrics metrics(Custom1->font());
    std::vector<QPushButton*> framed(Command1.begin(), Command1.end());
    framed.push_back(Custom1);
    framed.insert(framed.end(), Command2.begin(), Command2.end());
    for (QPushButton* b : framed)
        needs.buttonW = std::max(needs.buttonW, metrics.horizontalAdvance(b->text()) + 2 * (margin + frame));
    needs.buttonH = metrics.height() + 2 * frame;

    const layout::ColumnLayout c = layout::layoutColumn(needs);
    setFixedSize(c.form);
    Pic2->setGeometry(c.viewport);
    ComOpen->setGeometry(c.comOpen);
    Frame1->setGeometry(c.frame1);
    for (int i = 0; i < 6; ++i) Command1[i]->setGeometry(c.frame1Buttons[i]);
    Custom1->setGeometry(c.frame1Buttons[6]);
    Frame2->setGeometry(c.frame2);
    for (int i = 0; i < 3; ++i) Command2[i]->setGeometry(c.frame2Buttons[i]);
    Save->setGeometry(c.save);
    ViewW = Pic2->contentsRect().width();
    ViewH = Pic2->contentsRect().height();
}

void Form1::apply(FormEvent event) {
    enabling_.apply(event);
    auto on = [&](ButtonGroup g) { return enabling_.enabled(g); };
    ComOpen->setEnabled(on(ButtonGroup::Open));
    for (QPushButton* b : Command1) b->setEnabled(on(ButtonGroup::Presets));
    Custom1->setEnabled(on(ButtonGroup::Custom));
    Save->setEnabled(on(ButtonGroup::Save));
    Command2[0]->setEnabled(on(ButtonGroup::Flips));
    Command2[1]->setEnabled(on(ButtonGroup::Flips));
    Command2[2]->setEnabled(on(ButtonGroup::Wallpaper));
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload() {
    planes_.release();
    DelVery();
    services_.boxes.show(QStringLiteral("imagefx 图像滤镜工具，由 shellstyle 套件开发组编写。"),
                         QStringLiteral("版权信息"), platform::MsgButtons::Ok,
                         platform::MsgIcon::Information);
    form2_->close();
    if (form3_) form3_->close();
}

}  // namespace imagefx::ui

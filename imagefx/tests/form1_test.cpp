// Widget tests of the main window, with scripted dialogs and a recorded wallpaper service.
#include "imagefx/ui/form1.h"

#include <fstream>
#include <memory>

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "imagefx/core/preview_fit.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/form3.h"
#include "imagefx/ui/picture_io.h"
#include "imagefx/ui/picture_view.h"
#include "platform/testing/fake_dialogs.h"
#include "platform/wallpaper/recording_wallpaper.h"

namespace imagefx::ui {
namespace {

namespace fs = std::filesystem;
using platform::MsgIcon;

// Left half red, right half blue, a green top row: every flip shows.
QImage halves(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, y == 0 ? qRgb(0, 255, 0) : x < w / 2 ? qRgb(250, 10, 10) : qRgb(10, 10, 250));
    return img;
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / (std::string("form1-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "bin");
        form = std::make_unique<Form1>(Form1Services{
            boxes, dialogs, wallpaper, random,
            FilePlaces(dir / "bin", dir / "data", [this](const fs::path&) { return writable; })});
    }

    QString save(const QImage& img, const char* name) {
        const QString path = QString::fromStdString((dir / name).string());
        EXPECT_TRUE(img.save(path));
        return path;
    }
    QString writeBytes(const char* name, const QByteArray& bytes) {
        const QString path = QString::fromStdString((dir / name).string());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void open(const QString& path) {
        dialogs.results.push_back(path);
        form->ComOpen->click();
    }
    Picture readBmp(const fs::path& p) { return pictureFrom(QImage(QString::fromStdString(p.string()))); }
    bool enabled(QPushButton* b) { return b->isEnabled(); }

    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeFileDialogs dialogs;
    platform::testing::RecordingWallpaper wallpaper;
    DefaultUniformSource random;
    bool writable = true;
    fs::path dir;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, OpeningTakesThePictureIn) {
    EXPECT_TRUE(enabled(form->ComOpen));
    for (auto* b : form->Command1) EXPECT_FALSE(enabled(b));
    for (auto* b : form->Command2) EXPECT_FALSE(enabled(b));
    EXPECT_FALSE(enabled(form->Custom1));
    EXPECT_FALSE(enabled(form->Save));

    const QString path = save(halves(640, 480), "pic.bmp");
    open(path);
    EXPECT_EQ(form->windowTitle(), "imagefx-" + path + "( 640x 480)");
    EXPECT_EQ(dialogs.requests.at(0).nameFilters.at(0).left(19), QStringLiteral("图像文件(*.bmp,*.jpg) ("));
    ASSERT_EQ(form->planes().width, 640);
    ASSERT_EQ(form->planes().height, 480);
    EXPECT_EQ(form->planes().at(Channel::Red, 5, 10), 250);
    EXPECT_EQ(form->planes().at(Channel::Blue, 5, 600), 250);
    EXPECT_EQ(form->workImage(), pictureFrom(halves(640, 480)));
    for (auto* b : form->Command1) EXPECT_TRUE(enabled(b));
    for (auto* b : form->Command2) EXPECT_TRUE(enabled(b));
    EXPECT_TRUE(enabled(form->Custom1));
    EXPECT_FALSE(enabled(form->Save));
    EXPECT_FALSE(form->Pic3->isHidden());
    EXPECT_TRUE(form->Image1->isHidden());
    const QRect inner = form->Pic2->contentsRect();
    const PreviewFit fit = fitPreview(640, 480, inner.width(), inner.height());
    EXPECT_EQ(form->Pic3->geometry(), fit.box.translated(inner.topLeft()));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(form->progressForm()->windowTitle(), QStringLiteral("正在加载图片..."));
}

TEST_F(Form1Test, SizeLimitRefusesWithTheWarningAndKeepsThePlanes) {
    open(save(halves(20, 10), "small.bmp"));
    form->Command1_Click(0);
    ASSERT_TRUE(enabled(form->Save));
    const Planes before = form->planes();

    const QString big = save(halves(1601, 1201), "big.jpg");
    open(big);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("图像太大,本程序无法处理"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("imagefx"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(form->windowTitle(), "imagefx-" + big + "( 1601x 1201)");
    for (auto* b : form->Command1) EXPECT_FALSE(enabled(b));
    EXPECT_FALSE(enabled(form->Custom1));
    EXPECT_FALSE(enabled(form->Save));
    EXPECT_TRUE(enabled(form->Command2[0]));
    EXPECT_EQ(form->planes().PlaneR, before.PlaneR);
    EXPECT_EQ(form->planes().width, 20);

    open(save(halves(1601, 1200), "wide.jpg"));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(form->planes().width, 1601);
    EXPECT_TRUE(enabled(form->Command1[0]));
}

TEST_F(Form1Test, HeaderDeclaringAHugePictureIsRefusedBeforeDecoding) {
    open(save(halves(8, 8), "small.bmp"));
    // A 54-byte BMP header declaring 16000 x 16000 pixels of 24 bits, and no pixels.
    QByteArray bmp(54, '\0');
    auto put32 = [&](int at, quint32 v) { for (int i = 0; i < 4; ++i) bmp[at + i] = char((v >> (8 * i)) & 0xff); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 16000);
    put32(22, 16000);
    bmp[26] = 1;
    bmp[28] = 24;
    const QString path = writeBytes("huge.bmp", bmp);
    open(path);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("图像太大,本程序无法处理"));
    EXPECT_EQ(form->windowTitle(), "imagefx-" + path + "( 16000x 16000)");
    EXPECT_EQ(form->workImage().width(), 8);
    EXPECT_EQ(form->loadedPicture().width(), 8);
}

TEST_F(Form1Test, BadFilesAndCancelChangeNothingAndSayNothing) {
    const QString good = save(halves(30, 20), "good.bmp");
    open(good);
    const QString title = form->windowTitle();
    const Picture work = form->workImage();

    QFile bmp(good);
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray bytes = bmp.readAll();
    QByteArray jpg;
    {
        QFile f(save(halves(300, 200), "whole.jpg"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        jpg = f.readAll();
    }
    const QString files[] = {
        writeBytes("text.bmp", "this is not a picture"),
        writeBytes("empty.jpg", ""),
        QString::fromStdString((dir / "missing.bmp").string()),
    };
    for (const QString& f : files) {
        open(f);
        EXPECT_EQ(form->windowTitle(), title) << f.toStdString();
        EXPECT_EQ(form->workImage(), work);
    }
    // Cut-off files may decode in part; they must not crash or bring up a box.
    open(writeBytes("cut.jpg", jpg.left(jpg.size() / 2)));
    open(writeBytes("cut.bmp", bytes.left(60)));
    dialogs.results.push_back(QString());                  // cancelled
    form->ComOpen->click();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Form1Test, FilterShowsTheResultAndWritesTheDisplayFile) {
    open(save(halves(200, 100), "pic.bmp"));
    form->Command1_Click(3);  // engrave
    EXPECT_EQ(form->progressForm()->windowTitle(), QStringLiteral("正在雕刻图像..."));
    EXPECT_TRUE(form->progressForm()->isHidden());
    EXPECT_LE(form->progressForm()->updates, 2 * 101);
    EXPECT_EQ(form->progressForm()->pgrbar->value(), 100);  // engrave reaches the last row
    EXPECT_TRUE(enabled(form->Save));
    EXPECT_TRUE(enabled(form->Command2[2]));
    EXPECT_TRUE(form->Pic3->isHidden());
    EXPECT_FALSE(form->Image1->isHidden());
    EXPECT_EQ(form->Image1->geometry(), form->Pic3->geometry());
    ASSERT_TRUE(fs::exists(dir / "bin" / "Very.bmp"));
    EXPECT_EQ(readBmp(dir / "bin" / "Very.bmp"), form->workImage());
    EXPECT_EQ(form->workImage().at(1, 5), rgbPixel(0, 0, 0));  // engrave's black column 1

    // A second open hides the result and shows the new picture.
    open(save(halves(50, 40), "second.bmp"));
    EXPECT_TRUE(form->Image1->isHidden());
    EXPECT_FALSE(form->Pic3->isHidden());
    EXPECT_EQ(form->planes().width, 50);
}

TEST_F(Form1Test, FlipsMirrorThePreviewOnlyAndDoNotAddUp) {
    open(save(halves(100, 80), "pic.bmp"));
    form->Command1_Click(0);
    const Picture filtered = form->workImage();
    const QImage plain = form->Pic3->shown();

    form->Command2[0]->click();
    EXPECT_TRUE(form->Image1->isHidden());
    EXPECT_FALSE(form->Pic3->isHidden());
    const QImage h = form->Pic3->shown();
    EXPECT_EQ(h, plain.mirrored(true, false));
    form->Command2[0]->click();
    EXPECT_EQ(form->Pic3->shown(), h);  // the same mirror, not back to the original
    form->Command2[1]->click();
    EXPECT_EQ(form->Pic3->shown(), plain.mirrored(false, true));  // one mirror, not both

    EXPECT_EQ(form->workImage(), filtered);
    form->Save->click();
    EXPECT_EQ(readBmp(dir / "bin" / "ok.bmp"), filtered);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Form1Test, WallpaperSavesFirstAndReportsOnlyRealFailure) {
    open(save(halves(64, 48), "pic.bmp"));
    form->Command1_Click(5);
    form->Command2[0]->click();  // flipped preview; the wallpaper is still the working picture
    form->Command2[2]->click();
    const fs::path ok = dir / "bin" / "ok.bmp";
    ASSERT_EQ(wallpaper.paths, QStringList{QString::fromStdString(ok.string())});
    EXPECT_EQ(readBmp(ok), form->workImage());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(form->Image1->isHidden());

    wallpaper.accepts = false;
    form->Command2[2]->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("设置图片失败！"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
}

TEST_F(Form1Test, UnwritableProgramFolderUsesTheDataFolder) {
    writable = false;
    open(save(halves(40, 30), "pic.bmp"));
    form->Command1_Click(1);
    form->Command2[2]->click();
    EXPECT_TRUE(fs::exists(dir / "data" / "Very.bmp"));
    EXPECT_TRUE(fs::exists(dir / "data" / "ok.bmp"));
    EXPECT_FALSE(fs::exists(dir / "bin" / "ok.bmp"));
    EXPECT_EQ(wallpaper.paths, QStringList{QString::fromStdString((dir / "data" / "ok.bmp").string())});

    // Neither folder writable: the stale "ok.bmp" is not handed on and the failure shows.
    fs::remove_all(dir / "data");
    { std::ofstream blocker(dir / "data"); }
    form->Command2[2]->click();
    EXPECT_EQ(wallpaper.paths.size(), 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("设置图片失败！"));
    EXPECT_FALSE(form->Save_Click());
    form->Save->click();  // the save button says so; a save that works says nothing
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("保存图片失败！"));
    form->Command1_Click(2);  // the result still shows without its display file
    EXPECT_FALSE(form->Image1->isHidden());
}

TEST_F(Form1Test, ExitRemovesTheDisplayFileKeepsTheSavedOneAndCredits) {
    open(save(halves(40, 30), "pic.bmp"));
    form->Command1_Click(4);
    form->Save->click();
    ASSERT_TRUE(fs::exists(dir / "bin" / "Very.bmp"));
    form->show();
    form->close();
    EXPECT_FALSE(fs::exists(dir / "bin" / "Very.bmp"));
    EXPECT_TRUE(fs::exists(dir / "bin" / "ok.bmp"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("版权信息"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(form->planes().isEmpty());
}

TEST_F(Form1Test, TinyPicturesOpenAndFilterWithoutHarm) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 3}, std::pair{4, 7}, std::pair{7, 1}}) {
        open(save(halves(w, h), "tiny.bmp"));
        ASSERT_EQ(form->planes().width, w);
        for (int n = 0; n < 6; ++n) form->Command1_Click(n);
        form->Command2[0]->click();
        form->Command2[2]->click();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// Answers the kernel dialog once it is shown.
void whenDialogShows(Form1& form, std::function<void(Form3&)> act) {
    QTimer::singleShot(0, &form, [&form, act] {
        ASSERT_NE(form.kernelDialog(), nullptr);
        act(*form.kernelDialog());
    });
}

TEST_F(Form1Test, CustomKernelRunsAfterOkOnly) {
    const QImage picture = halves(20, 12);
    open(save(picture, "pic.bmp"));
    const Picture opened = form->workImage();

    whenDialogShows(*form, [](Form3& d) { d.Command1->click(); });  // the identity kernel
    form->Custom1->click();
    EXPECT_EQ(form->progressForm()->windowTitle(), QStringLiteral("正在过滤图像..."));
    EXPECT_TRUE(enabled(form->Save));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool black = (x == 1 || y == 1) && x >= 1 && y >= 1 && x <= 18 && y <= 10;
            ASSERT_EQ(form->workImage().at(x, y), black ? rgbPixel(0, 0, 0) : opened.at(x, y)) << x << "," << y;
        }

    // Cancel after OK: nothing runs, the entries stay for next time.
    form->Command1_Click(0);
    const Picture softened = form->workImage();
    whenDialogShows(*form, [](Form3& d) {
        EXPECT_EQ(d.Text1[4]->text(), "1");
        d.Text1[4]->setText("2");
        d.Command2->click();
    });
    form->Custom1->click();
    EXPECT_EQ(form->workImage(), softened);
    EXPECT_FALSE(form->filterSettings().FilterOk);

    whenDialogShows(*form, [](Form3& d) { EXPECT_EQ(d.Text1[4]->text(), "2"); d.Command1->click(); });
    form->Custom1->click();
    EXPECT_EQ(form->filterSettings().FilterKernel[2][2], 2);

    // The close box discards the dialog and keeps FilterOk: the last kernel runs again.
    form->Command1_Click(0);
    whenDialogShows(*form, [](Form3& d) { d.close(); });
    form->Custom1->click();
    EXPECT_EQ(form->kernelDialog(), nullptr);
    EXPECT_EQ(form->workImage().at(5, 5), rgbPixel(255, 20, 20));  // 2 * 250 capped, 2 * 10
    whenDialogShows(*form, [](Form3& d) { EXPECT_EQ(d.Text1[4]->text(), "1"); d.Command2->click(); });
    form->Custom1->click();
}

}  // namespace
}  // namespace imagefx::ui

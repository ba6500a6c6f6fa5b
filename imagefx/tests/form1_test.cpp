// Widget tests of the main window, with scripted dialogs and a recorded wallpaper service.
#include "imagefx/ui/form1.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include <QBuffer>
#include <QFile>
#include <QGroupBox>
#include <QImageWriter>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include "imagefx/core/bmp_file.h"
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

// A BMP file header and 40-byte info header claiming w x h pixels of 24 bits, and no pixels.
QByteArray bmpHeader(quint32 w, quint32 h) {
    QByteArray bmp(54, '\0');
    auto put32 = [&](int at, quint32 v) { for (int i = 0; i < 4; ++i) bmp[at + i] = char((v >> (8 * i)) & 0xff); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    bmp[26] = 1;
    bmp[28] = 24;
    return bmp;
}

// A w x h BMP of 24 or 8 bits (with a 256-colour palette), rows stored top row first when
// `topDown` (height negative, as many programs write it), each row padded to 32 bits.
// `expected` receives the picture it holds.
QByteArray rowsBmp(int w, int h, int bpp, bool topDown, QImage& expected) {
    auto colour = [](int i) { return qRgb(i, 255 - i, (i * 7) & 255); };
    const int stride = (w * bpp + 31) / 32 * 4;
    const int palette = bpp == 8 ? 256 * 4 : 0;
    QByteArray bmp = bmpHeader(quint32(w), topDown ? quint32(-h) : quint32(h));
    bmp[10] = char(54 + palette);  // both below 256
    bmp[11] = char((54 + palette) >> 8);
    bmp[28] = char(bpp);
    for (int i = 0; i < palette / 4; ++i) {
        const char entry[4] = {char(qBlue(colour(i))), char(qGreen(colour(i))), char(qRed(colour(i))), 0};
        bmp.append(entry, 4);
    }
    expected = QImage(w, h, QImage::Format_RGB32);
    QByteArray rows(stride * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int index = (x * 37 + y * 11 + 5) & 255;
            expected.setPixel(x, y, colour(index));
            char* row = rows.data() + stride * (topDown ? y : h - 1 - y);
            if (bpp == 8) {
                row[x] = char(index);
            } else {
                row[3 * x] = char(qBlue(colour(index)));
                row[3 * x + 1] = char(qGreen(colour(index)));
                row[3 * x + 2] = char(qRed(colour(index)));
            }
        }
    return bmp + rows;
}

// Sets the width and height a baseline JPEG's frame header declares.
void claimJpegSize(QByteArray& jpeg, int w, int h) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(h >> 8);
    jpeg[sof + 6] = char(h & 0xff);
    jpeg[sof + 7] = char(w >> 8);
    jpeg[sof + 8] = char(w & 0xff);
}

// Puts an EXIF block with the given orientation right after the start marker.
QByteArray withOrientation(QByteArray jpeg, quint8 orientation) {
    const char exif[] = "\xff\xe1\x00\x22" "Exif\0\0" "II*\0\x08\0\0\0"
                        "\x01\0" "\x12\x01\x03\0\x01\0\0\0" "\x06\0\0\0" "\0\0\0\0";
    QByteArray block(exif, sizeof exif - 1);
    block[4 + 6 + 8 + 2 + 8] = char(orientation);
    return jpeg.insert(2, block);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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
    QByteArray jpegOf(const QImage& img) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(img.save(&buffer, "jpeg", 95));
        return bytes;
    }
    // Nothing that a refused or failed open could have changed, has.
    void expectUnchanged(const QString& title, const Picture& work, const Planes& planes, const char* what) {
        EXPECT_EQ(form->windowTitle(), title) << what;
        EXPECT_EQ(form->workImage(), work) << what;
        EXPECT_EQ(form->planes().PlaneG, planes.PlaneG) << what;
        EXPECT_TRUE(enabled(form->Command1[0])) << what;
        EXPECT_TRUE(enabled(form->Save)) << what;
    }
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
    EXPECT_EQ(form->Pic3->geometry(), fitPreview(640, 480, inner.width(), inner.height()).translated(inner.topLeft()));
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
    EXPECT_EQ(form->workImage().width(), 20);
    EXPECT_EQ(form->loadedPicture().width(), 20);  // flips still show the picture taken on

    open(save(halves(1601, 1200), "wide.jpg"));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(form->planes().width, 1601);
    EXPECT_TRUE(enabled(form->Command1[0]));
}

TEST_F(Form1Test, ButtonsSitInsideTheirFramesBelowTheTitleWithCaptionsWhole) {
    for (QPushButton* b : form->findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.rect = b->rect();
        const QRect label = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        const QFontMetrics metrics(b->font());
        // The style's own margin on each side, so no caption touches its button's edges.
        const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, b);
        EXPECT_LE(metrics.horizontalAdvance(b->text()) + 2 * margin, label.width()) << b->objectName().toStdString();
        EXPECT_LE(metrics.height(), label.height()) << b->objectName().toStdString();
        if (auto* frame = qobject_cast<QGroupBox*>(b->parentWidget())) {
            EXPECT_TRUE(frame->contentsRect().contains(b->geometry())) << b->objectName().toStdString();
        }
    }
}

TEST_F(Form1Test, FilesThatCannotBeOpenedWholeAreNamedAndChangeNothing) {
    const QString good = save(halves(30, 20), "good.bmp");
    open(good);
    form->Command1_Click(0);
    const QString title = form->windowTitle();
    const Picture work = form->workImage();
    const Planes planes = form->planes();

    const QByteArray jpg = jpegOf(halves(300, 200));
    QByteArray claimsTooMuch = bmpHeader(20000, 1000);  // 154 bytes in all
    claimsTooMuch.append(100, '\0');
    const fs::path fifo = dir / "fifo.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const QString files[] = {
        writeBytes("empty.bmp", ""),
        writeBytes("text.bmp", "this is not a picture"),
        save(halves(10, 10).convertToFormat(QImage::Format_Indexed8), "other.png"),  // not BMP nor JPEG
        writeBytes("60000.bmp", bmpHeader(60000, 60000)),
        writeBytes("cut.jpg", jpg.left(jpg.size() * 2 / 3)),
        writeBytes("claims.bmp", claimsTooMuch),
        QString::fromStdString((dir / "missing.bmp").string()),
        QString::fromStdString(fifo.string()),
        QString::fromStdString(dir.string()),
    };
    std::size_t shown = 0;
    for (const QString& f : files) {
        open(f);
        ASSERT_EQ(boxes.shown.size(), ++shown) << f.toStdString();
        EXPECT_EQ(boxes.shown.back().text, QStringLiteral("无法打开图片文件：\n") + f);
        EXPECT_EQ(boxes.shown.back().caption, QStringLiteral("imagefx"));
        expectUnchanged(title, work, planes, qPrintable(f));
    }
    dialogs.results.push_back(QString());  // cancelled: no box
    form->ComOpen->click();
    EXPECT_EQ(boxes.shown.size(), shown);
    // The same JPEG whole opens.
    open(writeBytes("whole.jpg", jpg));
    EXPECT_EQ(boxes.shown.size(), shown);
    EXPECT_EQ(form->planes().width, 300);
}

TEST_F(Form1Test, RefusedPictureIsNeverDecodedNorTakesThePlaceOfTheWorkingOne) {
    open(save(halves(8, 8), "small.bmp"));
    form->Command1_Click(2);
    const Picture work = form->workImage();
    const QString path = writeBytes("huge.bmp", bmpHeader(16000, 16000));
    open(path);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("图像太大,本程序无法处理"));
    EXPECT_EQ(form->windowTitle(), "imagefx-" + path + "( 16000x 16000)");
    EXPECT_EQ(form->workImage(), work);
    EXPECT_EQ(form->loadedPicture().width(), 8);

    // A small JPEG whose header claims 8704 x 8704: decoding it would take 300 MB.
    QByteArray jpeg = jpegOf(halves(16, 16));
    claimJpegSize(jpeg, 8704, 8704);
    const long before = peakKilobytes();
    open(writeBytes("claims.jpg", jpeg));
    EXPECT_LT(peakKilobytes() - before, 64 * 1024) << "the refused picture was decoded";
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("图像太大,本程序无法处理"));

    // The wallpaper button stays as it was and sets the working picture, not the refused one.
    EXPECT_FALSE(enabled(form->Save));
    ASSERT_TRUE(enabled(form->Command2[2]));
    form->Command2[2]->click();
    EXPECT_EQ(readBmp(dir / "bin" / "ok.bmp"), work);
    EXPECT_EQ(wallpaper.paths.size(), 1);
    EXPECT_EQ(form->Pic3->shown().size(), QSize(8, 8));
}

TEST_F(Form1Test, PreviewAndResultKeepThePictureProportions) {
    const QRect inner = form->Pic2->contentsRect();
    for (auto [w, h] : {std::pair{301, 199}, std::pair{195, 195}, std::pair{330, 460}, std::pair{900, 200}}) {
        open(save(halves(w, h), "pic.bmp"));
        const QRect box = form->Pic3->geometry();
        EXPECT_TRUE(inner.contains(box)) << w << "x" << h;
        if (w <= inner.width() && h <= inner.height()) {
            EXPECT_EQ(box.size(), QSize(w, h));
        }
        // Proportions kept to the pixel: w' / h' = w / h within a pixel of the shorter side.
        EXPECT_LE(std::abs(box.width() * h - box.height() * w), std::max(w, h)) << w << "x" << h;
        EXPECT_LE(std::abs((box.left() - inner.left()) - (inner.right() - box.right())), 1) << "centred";
        EXPECT_LE(std::abs((box.top() - inner.top()) - (inner.bottom() - box.bottom())), 1) << "centred";
        form->Command1_Click(5);
        EXPECT_EQ(form->Image1->geometry(), box);
        EXPECT_EQ(readBmp(dir / "bin" / "Very.bmp").width(), w);  // the files keep full size
    }
}

TEST_F(Form1Test, OrientationTagTurnsThePictureUpright) {
    // 40 x 20 stored, left half red; tagged to be turned a quarter clockwise for viewing.
    const QString path = writeBytes("turned.jpg", withOrientation(jpegOf(halves(40, 20)), 6));
    open(path);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(form->windowTitle(), "imagefx-" + path + "( 20x 40)");
    ASSERT_EQ(form->planes().width, 20);
    ASSERT_EQ(form->planes().height, 40);
    EXPECT_GT(form->planes().at(Channel::Red, 8, 10), 200);  // the left edge is now the top
    EXPECT_GT(form->planes().at(Channel::Blue, 32, 10), 200);
    EXPECT_LT(form->Pic3->width(), form->Pic3->height());
    form->Command1_Click(5);
    form->Save->click();
    const Picture saved = readBmp(dir / "bin" / "ok.bmp");
    EXPECT_EQ(saved.width(), 20);
    EXPECT_EQ(saved.height(), 40);
}

TEST_F(Form1Test, BmpRowsOpenWholeInEitherOrderAndWithoutTheLastRowsPadding) {
    for (const int bpp : {24, 8})
        for (const auto& [w, h] : {std::pair{5, 3}, std::pair{7, 4}, std::pair{4, 2}, std::pair{333, 101}})
            for (const bool topDown : {true, false}) {
                QImage expected;
                QByteArray bmp = rowsBmp(w, h, bpp, topDown, expected);
                const std::string what = std::to_string(bpp) + " bits " + std::to_string(w) + "x" +
                                         std::to_string(h) + (topDown ? " top-down" : " bottom-up");
                const int padding = (w * bpp + 31) / 32 * 4 - (w * bpp + 7) / 8;
                for (const int cut : {0, padding}) {
                    const QString path = writeBytes("rows.bmp", bmp.left(bmp.size() - cut));
                    open(path);
                    ASSERT_TRUE(boxes.shown.empty()) << what << " cut " << cut;
                    EXPECT_EQ(form->windowTitle(), "imagefx-" + path + QString("( %1x %2)").arg(w).arg(h));
                    EXPECT_EQ(form->workImage(), pictureFrom(expected)) << what << " cut " << cut;
                }
                // One byte of pixels gone as well is a damaged file.
                open(writeBytes("rows.bmp", bmp.left(bmp.size() - padding - 1)));
                ASSERT_EQ(boxes.shown.size(), 1u) << what;
                EXPECT_EQ(boxes.shown[0].text.left(9), QStringLiteral("无法打开图片文件：")) << what;
                boxes.shown.clear();
            }
}

TEST_F(Form1Test, LinksInTheProgramFolderAreReplacedNeverFollowed) {
    // Links a hostile or careless hand placed where the program keeps its two files.
    const fs::path thesis = dir / "thesis.txt", notes = dir / "notes.txt";
    { std::ofstream(thesis) << "my thesis"; }
    { std::ofstream(notes) << "my notes"; }
    fs::create_symlink(thesis, dir / "bin" / "Very.bmp");
    fs::create_symlink(notes, dir / "bin" / "ok.bmp");
    auto text = [](const fs::path& p) {
        std::ifstream in(p);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    open(save(halves(20, 10), "pic.bmp"));
    form->Command1_Click(1);
    form->Save->click();
    form->Command2[2]->click();
    EXPECT_EQ(text(thesis), "my thesis");
    EXPECT_EQ(text(notes), "my notes");
    EXPECT_FALSE(fs::is_symlink(dir / "bin" / "Very.bmp"));
    EXPECT_EQ(readBmp(dir / "bin" / "ok.bmp"), form->workImage());
    EXPECT_TRUE(boxes.shown.empty());
    form->close();
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "bin" / "Very.bmp")));
    EXPECT_EQ(text(thesis), "my thesis");

    // Exit deletes only a display file it wrote: a link put there is left alone.
    Form1 other({boxes, dialogs, wallpaper, random, FilePlaces(dir / "bin", dir / "data")});
    fs::create_symlink(thesis, dir / "bin" / "Very.bmp");
    other.close();
    EXPECT_TRUE(fs::is_symlink(dir / "bin" / "Very.bmp"));
    EXPECT_EQ(text(thesis), "my thesis");
}

TEST_F(Form1Test, FilterShowsTheResultAndWritesTheDisplayFile) {
    open(save(halves(200, 100), "pic.bmp"));
    // The button pressed and the progress window name the same filter.
    EXPECT_EQ(form->Command1[3]->text(), QStringLiteral("雕    刻"));
    form->Command1_Click(3);
    EXPECT_EQ(form->progressForm()->windowTitle(), QStringLiteral("正在雕刻图像..."));
    EXPECT_TRUE(form->progressForm()->isHidden());
    EXPECT_LE(form->progressForm()->updates, 2 * 101);
    EXPECT_EQ(form->progressForm()->pgrbar->value(), 100);  // engrave reaches the last row
    EXPECT_EQ(form->progressForm()->timesShown, 0);  // too quick to be worth showing
    form->progressForm()->showAfterMs = 0;           // as a run that takes its time
    form->Command1_Click(3);
    EXPECT_EQ(form->progressForm()->timesShown, 1);
    EXPECT_TRUE(form->progressForm()->isHidden());
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

TEST(BmpFile, SameBytesAsQtsWriterForEveryRowPadding) {
    for (int w = 1; w <= 5; ++w) {
        QImage img = halves(w, 3);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        QByteArray qt;
        QBuffer buffer(&qt);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, "bmp").write(img));
        std::string ours;
        encodeBmp(pictureFrom(img), ours);
        ASSERT_EQ(static_cast<qsizetype>(ours.size()), qt.size()) << w;
        for (qsizetype i = 0; i < qt.size(); ++i)
            ASSERT_EQ(static_cast<quint8>(ours[static_cast<std::size_t>(i)]), static_cast<quint8>(qt[i]))
                << "width " << w << " byte " << i;
    }
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

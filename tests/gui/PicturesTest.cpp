// The pictures are the program's own drawings: every symbol image and every
// command glyph paints something of its own, the level pictures differ from
// each other, and at 200 % they are drawn afresh, not enlarged.

#include "ActionGlyphs.h"
#include "CommandTable.h"
#include "GuiSuites.h"
#include "SymbolPictures.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace zaro::test {
namespace {

QImage SymbolImage(int index, double scale) {
    return gui::SymbolPixmap(index, scale).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage GlyphImage(int glyph, double scale) {
    return gui::GlyphIcon(glyph)
        .pixmap(QSize(gui::GlyphSize, gui::GlyphSize), scale)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int InkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return n;
}

// An enlarged bitmap is made of 2 x 2 blocks of one colour; a drawing is not.
bool MadeOfDoubledPixels(const QImage& image) {
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                image.pixel(x + 1, y + 1) != c) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySymbolImageIsItsOwnPicture() {
        QCOMPARE(gui::SymbolImageList().Count, 28);
        std::vector<QImage> images;
        for (int i = 0; i < gui::SymbolImageCount; ++i) {
            const QImage image = SymbolImage(i, 1.0);
            QCOMPARE(image.size(), QSize(48, 24));
            QVERIFY2(InkedPixels(image) > 40, qPrintable(QString::number(i)));
            for (std::size_t j = 0; j < images.size(); ++j) {
                QVERIFY2(image != images[j], qPrintable(QStringLiteral("%1 = %2").arg(i).arg(j)));
            }
            images.push_back(image);
        }
    }

    // Dark lamps and LEDs take less colour than glowing ones.
    void levelPicturesGrowBrighter() {
        const auto brightness = [](const QImage& image) {
            double sum = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = QColor::fromRgba(image.pixel(x, y));
                    sum += c.alphaF() * c.valueF();
                }
            }
            return sum;
        };
        for (const auto& [first, count] : {std::pair{gui::LampDarkImage, gui::LampLevels},
                                           std::pair{gui::LedDarkImage, gui::LedLevels}}) {
            for (int level = 1; level < count; ++level) {
                QVERIFY2(brightness(SymbolImage(first + level, 1.0)) >
                             brightness(SymbolImage(first + level - 1, 1.0)),
                         qPrintable(QString::number(first + level)));
            }
        }
    }

    void picturesAreDrawnAfreshAtTwiceTheScale() {
        for (int i = 0; i < gui::SymbolImageCount; ++i) {
            const QImage image = SymbolImage(i, 2.0);
            QCOMPARE(image.size(), QSize(96, 48));
            QVERIFY2(!MadeOfDoubledPixels(image), qPrintable(QString::number(i)));
        }
        for (const gui::TCommandRow& row : gui::CommandRows()) {
            if (row.Glyph >= 0) {
                const QImage image = GlyphImage(row.Glyph, 2.0);
                QCOMPARE(image.size(), QSize(32, 32));
                QVERIFY2(!MadeOfDoubledPixels(image), row.Name.c_str());
            }
        }
    }

    // Only the commands without a glyph in the table show none; copy and
    // paste look different.
    void everyCommandWithAGlyphShowsIt() {
        for (const gui::TCommandRow& row : gui::CommandRows()) {
            QCOMPARE(gui::HasGlyph(row.Glyph), row.Glyph >= 0);
            if (row.Glyph >= 0) {
                QVERIFY2(InkedPixels(GlyphImage(row.Glyph, 1.0)) > 20, row.Name.c_str());
            }
        }
        QVERIFY(GlyphImage(10, 1.0) != GlyphImage(gui::PasteGlyph, 1.0));
        QVERIFY(InkedPixels(gui::StopGlyphIcon().pixmap(16, 16).toImage()) > 20);
    }
};

static TGuiSuite<TPicturesTest> PicturesSuite("Pictures");

} // namespace zaro::test

#include "PicturesTest.moc"

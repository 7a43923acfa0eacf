// The font for texts with backslashes draws U+005C as a backslash, not as
// the yen sign of the Japanese fonts, and still draws Japanese.
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "components/BackslashFont.h"
#include "print/PrintFonts.h"

namespace {
QImage Drawn(const QFont& font, const QString& text)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}
// A backslash leans: its ink stands left at the top and right at the
// bottom, where a yen sign's stands in the middle of both.
bool Leans(const QImage& image)
{
    double sum[2] = {0, 0};
    int count[2] = {0, 0};
    const int band = image.height() * 2 / 5;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int part = y < band ? 0 : y >= image.height() - band ? 1 : -1;
            if (part >= 0 && qGray(image.pixel(x, y)) < 128)
                sum[part] += x, ++count[part];
        }
    return count[0] > 0 && count[1] > 0 && sum[0] / count[0] < sum[1] / count[1] - 4;
}
}  // namespace

class BackslashFontTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void backslashIsNoYenSign_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("fixedPitch");
        QTest::newRow("header memo") << QStringLiteral("ＭＳ ゴシック") << true;
        QTest::newRow("message box") << QStringLiteral("ＭＳ Ｐゴシック") << false;
    }
    void backslashIsNoYenSign()
    {
        QFETCH(QString, family);
        QFETCH(bool, fixedPitch);
        korvexa::print::SubstituteFonts();  // as the program does: the IPA fonts
        QFont base(family);
        base.setPixelSize(32);
        const QFont font = WithTrueBackslash(base, fixedPitch);
        QVERIFY(Leans(Drawn(font, QStringLiteral("\\"))));
        QCOMPARE(QFontInfo(font).fixedPitch(), fixedPitch);
        // Kana come from the Japanese font: drawn, not as an empty box.
        QVERIFY(Drawn(font, QStringLiteral("ヘ")) != Drawn(font, QStringLiteral("\uFFFF")));
    }
};

QTEST_MAIN(BackslashFontTest)
#include "backslash_font_test.moc"

// The chart draws its point numbers from the digit glyphs directly; they must look and
// measure exactly as the same numbers drawn as text.
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "ui/chart/chart_look.h"
#include "ui/chart/mark_glyphs.h"

namespace arvelle {

class MarkGlyphsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  }

  void measuresAsText_data() {
    QTest::addColumn<QString>("number");
    for (const char* text : {"0", "1", "7", "10", "11", "42", "99", "100", "1234", "65535"}) {
      QTest::newRow(text) << QString::fromLatin1(text);
    }
  }

  void measuresAsText() {
    QFETCH(QString, number);
    const QFont font = chart_look::MarkFont();
    const MarkGlyphs glyphs(font);
    QVERIFY(glyphs.Covers(number));
    QCOMPARE(glyphs.Advance(number), QFontMetricsF(font).horizontalAdvance(number));
  }

  void drawsAsText_data() { measuresAsText_data(); }

  void drawsAsText() {
    QFETCH(QString, number);
    const QFont font = chart_look::MarkFont();
    const auto render = [&](bool asGlyphs) {
      QImage image(80, 30, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::white);
      QPainter painter(&image);
      painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
      painter.setFont(font);
      painter.setPen(Qt::black);
      const QPointF origin(3.25, 21);
      if (asGlyphs) {
        MarkGlyphs(font).Draw(painter, origin, number);
      } else {
        painter.drawText(origin, number);
      }
      return image;
    };
    const QImage text = render(false);
    QCOMPARE(render(true), text);
    QImage blank(text.size(), text.format());
    blank.fill(Qt::white);
    QVERIFY(text != blank);  // the number was drawn at all
  }

  void leavesOtherTextsToTheTextPath() {
    const MarkGlyphs glyphs(chart_look::MarkFont());
    QVERIFY(!glyphs.Covers(QString()));
    QVERIFY(!glyphs.Covers(QStringLiteral("-1")));
    QVERIFY(!glyphs.Covers(QStringLiteral("1.5")));
    QVERIFY(!glyphs.Covers(QStringLiteral("\u0661")));  // an Arabic-Indic one
  }
};

}  // namespace arvelle

QTEST_MAIN(arvelle::MarkGlyphsTest)
#include "mark_glyphs_test.moc"

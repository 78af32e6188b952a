// The window realises the layout table: every control a standard widget of
// its kind at its place and size, and a window that cannot change shape.
#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ole_color.h"
#include "qt_test_support.h"
#include "qt_text.h"
#include "survey/layout.h"
#include "survey_window.h"

namespace tavro::qt {
namespace {

using testing::control;

QRect expected_rect(const LayoutRow& row) {
  // 15 twips to the pixel; a line is a one-pixel-high strip at its y.
  return {row.left / 15, row.top / 15, row.width / 15,
          row.kind == ControlKind::kLine ? 1 : row.height / 15};
}

// Whether the widget is the standard widget for the kind, set up as the
// survey needs it.
bool is_widget_of_kind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::kCheckBox:
      return qobject_cast<QCheckBox*>(widget) != nullptr && widget->focusPolicy() != Qt::NoFocus;
    case ControlKind::kTextBox:
      return qobject_cast<QLineEdit*>(widget) != nullptr && widget->focusPolicy() != Qt::NoFocus;
    case ControlKind::kLabel: {
      auto* label = qobject_cast<QLabel*>(widget);
      return label != nullptr && label->pixmap().isNull() && label->textFormat() == Qt::PlainText &&
             !label->wordWrap() && label->buddy() == nullptr && label->focusPolicy() == Qt::NoFocus;
    }
    case ControlKind::kCommandButton: {
      auto* button = qobject_cast<QPushButton*>(widget);
      return button != nullptr && !button->autoDefault() && !button->isDefault();
    }
    case ControlKind::kLine: {
      auto* frame = qobject_cast<QFrame*>(widget);
      return frame != nullptr && qobject_cast<QLabel*>(widget) == nullptr &&
             frame->frameShape() == QFrame::HLine && frame->focusPolicy() == Qt::NoFocus;
    }
    case ControlKind::kPicture: {
      auto* label = qobject_cast<QLabel*>(widget);
      return label != nullptr && !label->pixmap().isNull() && label->focusPolicy() == Qt::NoFocus;
    }
  }
  return false;
}

}  // namespace

class SurveyWindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlIsAWidgetOfItsKindAtItsPlaceAndSize() {
    SurveyWindow window;
    for (const LayoutRow& row : kSurveyLayout) {
      const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
      QWidget* widget = window.widget(row.id);
      QVERIFY2(widget, qPrintable(name));
      QCOMPARE(widget->objectName(), name);
      QVERIFY2(is_widget_of_kind(widget, row.kind), qPrintable(name + " is not as its kind needs"));
      QCOMPARE(widget->geometry(), expected_rect(row));
      QCOMPARE(widget->minimumSize(), widget->maximumSize());
    }
    // One widget per row and nothing else: the socket control has none.
    QCOMPARE(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
             qsizetype(kControlCount));
  }

  void theWindowIsAFixedSizeTopLevelWindowWithACloseBoxOnly() {
    SurveyWindow window;
    QCOMPARE(window.windowType(), Qt::Window);  // not a dialog: no default or cancel button
    QCOMPARE(window.windowTitle(), to_qstring(kWindowTitle));
    const QSize client(kClientWidthTwips / 15, kClientHeightTwips / 15);
    QCOMPARE(window.size(), client);
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(800, 600);
    QCOMPARE(window.size(), client);
  }

  // The window's icon and Image1 are the resources as Qt's own readers make
  // them out, pixel for pixel, whichever way the program decodes them; the
  // icon leaves out the 256-pixel image, the file's one PNG entry.
  void theIconAndThePictureAreTheResources() {
    SurveyWindow window;
    auto* picture = control<QLabel>(window, Control::Image1);
    QVERIFY(!picture->hasScaledContents());
    QCOMPARE(
        picture->pixmap().toImage(),
        QImageReader(QStringLiteral(":/image1.bmp")).read().convertToFormat(QImage::Format_RGB32));
    QImageReader icon(QStringLiteral(":/tavro.ico"));
    const QIcon shown = window.windowIcon();
    QList<QSize> sizes;
    for (int i = 0; i < icon.imageCount(); ++i) {
      QVERIFY(icon.jumpToImage(i));
      if (icon.size() != QSize(256, 256)) sizes.append(icon.size());
    }
    QCOMPARE(shown.availableSizes(), sizes);
    for (int i = 0; i < icon.imageCount(); ++i) {
      QVERIFY(icon.jumpToImage(i));
      if (icon.size() == QSize(256, 256)) continue;
      // Through a pixmap, as the icon holds it: half-transparent pixels round
      // the same way on both sides.
      const QImage expected =
          QPixmap::fromImage(icon.read()).toImage().convertToFormat(QImage::Format_ARGB32);
      QCOMPARE(shown.pixmap(expected.size()).toImage().convertToFormat(QImage::Format_ARGB32),
               expected);
    }
  }

  void theFixedCaptionsFitTheirBoxes() {
    SurveyWindow window;
    // None is clipped by the font.
    for (const Control fixed : {Control::LblHN, Control::LblIP, Control::LblMEM, Control::Label6}) {
      auto* label = control<QLabel>(window, fixed);
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->text()));
      QVERIFY(label->fontMetrics().height() <= label->height());
    }
  }

  void captionsShowAsWrittenWithoutShortcuts() {
    SurveyWindow window;
    window.set_caption(Control::Label1, L"AT&T <b>Room</b>");  // a plain-text label
    QCOMPARE(control<QLabel>(window, Control::Label1)->text(), QStringLiteral("AT&T <b>Room</b>"));
    window.set_caption(Control::Check1, L"AT&T && more");
    auto* box = control<QCheckBox>(window, Control::Check1);
    // Qt shows "&&" as "&" and takes a lone "&" as a shortcut marker.
    QVERIFY(QKeySequence::mnemonic(box->text()).isEmpty());
    QCOMPARE(testing::shown_text(box), QStringLiteral("AT&T && more"));

    // No Alt shortcut reaches the box either.
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
    QVERIFY(!box->isChecked());
  }

  void systemColoursComeFromThePaletteOthersAreBlueGreenRed() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Window, QColor(7, 8, 9));
    QCOMPARE(to_qcolor(kButtonFaceColor, palette), QColor(1, 2, 3));
    QCOMPARE(to_qcolor(0x80000005, palette), QColor(4, 5, 6));
    QCOMPARE(to_qcolor(0x800000FF, palette), QColor(7, 8, 9));  // no such index: the window's
    QCOMPARE(to_qcolor(0x000000FF, palette), QColor(255, 0, 0));
    QCOMPARE(to_qcolor(0x00FF8000, palette), QColor(0, 128, 255));
  }

  void aDisabledStatusBoxShowsTheButtonFace() {
    SurveyWindow window;
    // A button face unlike any default colour, so the box cannot match by chance.
    QPalette palette = window.palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    window.setPalette(palette);
    window.set_enabled(Control::Text2, false);
    window.set_back_color(Control::Text2, kButtonFaceColor);
    auto* box = control<QLineEdit>(window, Control::Text2);
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(1, 2, 3));
    // The other boxes keep the normal text-box background.
    QCOMPARE(control<QLineEdit>(window, Control::Text1)->palette().color(QPalette::Base),
             window.palette().color(QPalette::Base));
  }

  void textsCrossToQtAndBackWhole() {
    SurveyWindow window;
    // Beyond 16 bits, and past Qt's default length limit of 32767.
    for (const std::wstring& text :
         {std::wstring(L"PC-\u00e9\U0001F600"), std::wstring(40000, L'x')}) {
      window.set_text(Control::Text1, text);
      QCOMPARE(window.text(Control::Text1), text);
    }
    // A handler asking the wrong kind of control is a programming error, not a crash.
    QVERIFY_THROWS_EXCEPTION(std::logic_error, window.value(Control::Text1));
  }
};

}  // namespace tavro::qt

QTEST_MAIN(tavro::qt::SurveyWindowLayoutTest)
#include "survey_window_layout_test.moc"

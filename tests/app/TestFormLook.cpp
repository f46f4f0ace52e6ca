#include "app/FormParts.h"
#include "app/Picture1.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "settings/Picture2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>

#include <memory>

// Every window in every look the desktop may give it: each visible text whole and readable
// against what is really drawn behind it. Run again by CTest at a scale of 2.
class TestFormLook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void everyTextWholeAndReadable_data();
    void everyTextWholeAndReadable();

private:
    QFont m_font;
    QPalette m_palette;
};

namespace {

enum class Look { Default, LargeFont, Dark };
enum class Window { Main, Options, Notice, About };

// A dark scheme as qt6ct's "darker" gives it: light text meant for dark panels.
QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x8a, 0xc4, 0xff));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x7f, 0x7f, 0x7f));
    return p;
}

// Where a widget draws its text, in its own coordinates, and how wide that text is.
struct TextPlace {
    QRect rect;
    int needed = 0;
    QString text;
};

std::optional<TextPlace> textPlace(QWidget* w) {
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return std::nullopt;
        const int needed = label->wordWrap() ? 0 : label->sizeHint().width();
        if (label->wordWrap() && label->heightForWidth(label->width()) > label->height())
            return TextPlace{label->contentsRect(), label->width() + 1, label->text()};
        return TextPlace{label->contentsRect(), needed, label->text()};
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents =
            w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
        return TextPlace{contents, fm.horizontalAdvance(button->text()), button->text()};
    }
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect contents = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w);
        return TextPlace{contents, fm.horizontalAdvance(box->text()), box->text()};
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = w->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, w);
        return TextPlace{field, fm.horizontalAdvance(combo->currentText()), combo->currentText()};
    }
    return std::nullopt;
}

// The contrast of what is drawn in an area: its most common colour is the background, the
// pixel farthest from it the text.
double drawnContrast(const QImage& shot) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, FormParts::contrastRatio(QColor(background), QColor(it.key())));
    return best;
}

} // namespace

void TestFormLook::initTestCase() {
    m_font = QApplication::font();
    m_palette = QApplication::palette();
}

void TestFormLook::cleanup() {
    QApplication::setFont(m_font);
    QApplication::setPalette(m_palette);
}

void TestFormLook::everyTextWholeAndReadable_data() {
    QTest::addColumn<Look>("look");
    QTest::addColumn<Window>("window");
    const std::pair<const char*, Look> looks[] = {
        {"default font", Look::Default}, {"14 pt font", Look::LargeFont}, {"dark", Look::Dark}};
    const std::pair<const char*, Window> windows[] = {{"main", Window::Main},
                                                      {"options", Window::Options},
                                                      {"notice", Window::Notice},
                                                      {"about", Window::About}};
    for (const auto& [lookName, look] : looks)
        for (const auto& [windowName, window] : windows)
            QTest::addRow("%s, %s", lookName, windowName) << look << window;
}

void TestFormLook::everyTextWholeAndReadable() {
    QFETCH(Look, look);
    QFETCH(Window, window);
    if (look == Look::LargeFont) {
        QFont large = m_font;
        large.setPointSize(14);
        QApplication::setFont(large);
    }
    if (look == Look::Dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }

    FakePlatform platform;
    FakeUserDialogs dialogs;
    bool tell = true;
    TForm1 form(platform, dialogs);
    // The widest values the main window shows.
    form.Label5->setText(QStringLiteral("JPEG"));
    form.Label7->setText(QStringLiteral("65535 x 65535"));
    std::unique_ptr<QWidget> dialog;
    QWidget* shown = &form;
    QSize usual(455, 489);
    switch (window) {
    case Window::Main:
        break;
    case Window::Options:
        dialog = std::make_unique<TForm2>(form.optionsSettings(), platform, dialogs, &form);
        usual = {297, 337};
        break;
    case Window::Notice:
        dialog = std::make_unique<TForm3>(platform.store, dialogs, tell, &form);
        usual = {180, 121};
        break;
    case Window::About:
        dialog = std::make_unique<TForm4>(platform, &form);
        usual = {337, 217};
        break;
    }
    if (dialog)
        shown = dialog.get();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    const QSize client = window == Window::Main ? form.centralWidget()->size() : shown->size();
    const QString sizeText = QStringLiteral("%1 x %2").arg(client.width()).arg(client.height());
    if (look != Look::LargeFont) {
        // The usual size within 5 %; a dialog only as much wider as its text needs in a face
        // wider than the one it was drawn for. The main window always keeps it.
        const QSize least = window == Window::Main ? QSize() : shown->minimumSizeHint();
        QVERIFY2(client.width() >= usual.width() * 0.95 && client.height() >= usual.height() * 0.95,
                 qPrintable(sizeText));
        QVERIFY2(client.width() <= std::max(usual.width() * 1.05, least.width() * 1.0) &&
                     client.height() <= std::max(usual.height() * 1.05, least.height() * 1.0),
                 qPrintable(sizeText));
    } else {
        // 14 points against the usual 10: text and window grow together.
        QVERIFY2(client.width() >= usual.width() * 1.3 && client.height() >= usual.height() * 1.3 &&
                     client.width() <= usual.width() * 1.6 &&
                     client.height() <= usual.height() * 1.6,
                 qPrintable(sizeText));
    }

    const QImage shot = shown->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    int texts = 0;
    for (QWidget* w : shown->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(shown) || w->window() != shown)
            continue;
        const auto place = textPlace(w);
        if (!place)
            continue;
        ++texts;
        const QString what = w->objectName() + QStringLiteral(" \"") + place->text + u'"';
        // A wrapping text needs the height its lines take at the width it has.
        const int height =
            w->hasHeightForWidth() ? w->heightForWidth(w->width()) : w->sizeHint().height();
        QVERIFY2(place->needed <= place->rect.width() && height <= w->height(),
                 qPrintable(what + QStringLiteral(" needs %1 x %2, has %3 x %4")
                                       .arg(place->needed)
                                       .arg(height)
                                       .arg(place->rect.width())
                                       .arg(w->height())));
        // Inactive controls may be faint, as everywhere on the desktop.
        if (!w->isEnabled())
            continue;
        const QRect area(w->mapTo(shown, place->rect.topLeft()) * ratio,
                         place->rect.size() * ratio);
        const double contrast = drawnContrast(shot.copy(area));
        QVERIFY2(contrast >= 4.5, qPrintable(what + QStringLiteral(" at %1:1").arg(contrast)));
    }
    QVERIFY(texts >= 3);
}

QTEST_MAIN(TestFormLook)
#include "TestFormLook.moc"

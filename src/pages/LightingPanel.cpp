#include "pages/LightingPanel.h"

#include "skin/ControlColours.h"
#include "config/LightingTexts.h"
#include "skin/MainWindowLayout.h"
#include "skin/MainWindowSkin.h"
#include "skin/PopupListLook.h"

#include <QListWidget>
#include <QStringList>

namespace kestrel {

namespace {

// The mode list offers every mode but Neon, which is only shown.
constexpr int kChoosableModes = 3;
constexpr std::uint8_t kRgbEffect = 1;

constexpr std::array<QRect, 3> kValueBoxRects{mainlayout::kModeValue, mainlayout::kParameterValue,
                                              mainlayout::kEffectValue};

// The sunken edge of an empty box, two pixels deep as a well is drawn: the
// upper and left walls darker than the lower and right ones. On the black
// box over dark artwork a shadow alone would not show, so the outer upper
// left edge is a grey that the darker inner one and the bright lower right
// edges read against.
constexpr QRgb kSunkenOuterUpperLeft = 0x3c3c42;
constexpr QRgb kSunkenInnerUpperLeft = 0x0a0a0c;
constexpr QRgb kSunkenOuterLowerRight = 0x9a9aa0;
constexpr QRgb kSunkenInnerLowerRight = 0x4a4a50;

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool hasParameterList(std::uint8_t mode)
{
    return mode == LightingTexts::kModeStandard || mode == LightingTexts::kModeRespiration;
}

} // namespace

LightingPanel::LightingPanel(const PageContext& context) : context_(context) {}

LightingPanel::~LightingPanel() { destroyControls(); }

QString LightingPanel::modeText(const TextTable& texts, std::uint8_t mode)
{
    return mode < texts.lightingModes.size() ? QString::fromStdString(texts.lightingModes[mode]) : QString();
}

QString LightingPanel::parameterText(std::uint8_t mode, const SettingsRecord& settings)
{
    switch (mode) {
    case LightingTexts::kModeStandard:
        return utf8(LightingTexts::standardParameter(settings.ledBrightness()));
    case LightingTexts::kModeRespiration:
        return utf8(LightingTexts::respirationParameter(settings.ledPeriod()));
    case LightingTexts::kModeNeon:
        return utf8(LightingTexts::neonParameter(settings.neonPeriod()));
    default:
        return QString();
    }
}

QString LightingPanel::effectText(const TextTable& texts, std::uint8_t effect)
{
    return effect < texts.effects.size() ? QString::fromStdString(texts.effects[effect]) : QString();
}

QString LightingPanel::rgbEffectText() const { return effectText(context_.host.texts(), kRgbEffect); }

void LightingPanel::drawLabels(SkinPainter& painter) const
{
    const TextTable& texts = context_.host.texts();
    painter.label(mainlayout::kModeLabel, QString::fromStdString(texts.mode), TextLayout::Right);
    painter.label(mainlayout::kParameterLabel, QString::fromStdString(texts.parameter), TextLayout::Right);
    painter.label(mainlayout::kEffectLabel, QString::fromStdString(texts.effect), TextLayout::Right);
    // "Color" reads the same in every language.
    painter.label(mainlayout::kColourLabel, QStringLiteral("Color"), TextLayout::Right);
}

void LightingPanel::createControls()
{
    createSwatches();
    createValueBoxes();
}

void LightingPanel::destroyControls()
{
    for (QPointer<QLabel>& box : boxes_)
        delete box.data();
    for (QPointer<QLabel>& swatch : swatches_)
        delete swatch.data();
}

void LightingPanel::createSwatches()
{
    for (int stage = 1; stage <= kSwatchCount; ++stage) {
        auto* swatch = new QLabel(&context_.window);
        swatch->setGeometry(mainlayout::colourSwatch(stage));
        // Presses go to the window, whose click table picks the colour.
        swatch->setAttribute(Qt::WA_TransparentForMouseEvents);
        swatches_[static_cast<std::size_t>(stage - 1)] = swatch;
        paintSwatch(stage);
        swatch->show();
    }
}

void LightingPanel::paintSwatch(int stage)
{
    QLabel* swatch = this->swatch(stage);
    if (swatch == nullptr)
        return;
    const int identifier = ControlColours::kFirstSwatchId + stage - 1;
    const ControlColourRule rule = ControlColours::ruleFor(ChildKind::Static, identifier, context_.host.settings(),
                                                           context_.skin.style().textColour);
    ControlColours::apply(*swatch, rule, context_.skin.style().normalFont);
    swatch->update();
}

void LightingPanel::createValueBoxes()
{
    const SettingsRecord& settings = context_.host.settings();
    const TextTable& texts = context_.host.texts();
    const std::uint8_t mode = settings.ledMode();
    makeValueBox(ValueBox::Mode, modeText(texts, mode), false);
    if (mode == LightingTexts::kModeOff) {
        makeValueBox(ValueBox::Parameter, QString(), true);
        makeValueBox(ValueBox::Effect, QString(), true);
    } else if (mode <= LightingTexts::kModeNeon) {
        // Mode 1 shows effect byte 0, mode 2 byte 1, Neon byte 2.
        makeValueBox(ValueBox::Parameter, parameterText(mode, settings), false);
        makeValueBox(ValueBox::Effect, effectText(texts, settings.effect(mode - 1)), false);
    }
}

QLabel* LightingPanel::makeValueBox(ValueBox box, const QString& text, bool sunken)
{
    auto* label = new QLabel(text, &context_.window);
    label->setGeometry(kValueBoxRects[index(box)]);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    const ControlColourRule rule =
        ControlColours::ruleFor(ChildKind::Static, ControlColours::kFirstValueBoxId + static_cast<int>(index(box)),
                                context_.host.settings(), context_.skin.style().textColour);
    ControlColours::apply(*label, rule, context_.skin.style().normalFont);
    if (sunken) {
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        QPalette edges = label->palette();
        edges.setColor(QPalette::Dark, QColor(kSunkenOuterUpperLeft));
        edges.setColor(QPalette::Shadow, QColor(kSunkenInnerUpperLeft));
        edges.setColor(QPalette::Light, QColor(kSunkenOuterLowerRight));
        edges.setColor(QPalette::Midlight, QColor(kSunkenInnerLowerRight));
        label->setPalette(edges);
    }
    // Below any popup list that is open.
    label->lower();
    label->show();
    boxes_[index(box)] = label;
    return label;
}

void LightingPanel::show(ValueBox box, const QString& text)
{
    // A stored mode outside the table made no parameter and effect boxes;
    // once a mode is chosen they are needed.
    if (QLabel* label = valueBox(box))
        label->setText(text);
    else
        makeValueBox(box, text, false);
}

bool LightingPanel::ownsList(PopupListId id)
{
    return id == PopupListId::lightingModeList() || id == PopupListId::lightingParameterList();
}

void LightingPanel::modeBoxPressed()
{
    PopupListSet& lists = context_.skin.lists();
    if (lists.openFlag(PopupListId::lightingModeList())) {
        lists.close(PopupListId::lightingModeList());
        return;
    }
    if (!lists.exists(PopupListId::lightingModeList())) {
        QStringList rows;
        for (int mode = 0; mode < kChoosableModes; ++mode)
            rows.append(modeText(context_.host.texts(), static_cast<std::uint8_t>(mode)));
        const QFont& font = context_.skin.style().normalFont;
        QListWidget& list = lists.create(PopupListId::lightingModeList(), mainlayout::kModeList, rows, font);
        PopupListLook::forWindow(list, font);
    }
    lists.setOpenFlag(PopupListId::lightingModeList(), true);
}

void LightingPanel::parameterBoxPressed()
{
    PopupListSet& lists = context_.skin.lists();
    if (lists.openFlag(PopupListId::lightingParameterList())) {
        lists.close(PopupListId::lightingParameterList());
        return;
    }
    const std::uint8_t mode = context_.host.settings().ledMode();
    if (!hasParameterList(mode))
        return;
    if (!lists.exists(PopupListId::lightingParameterList())) {
        QStringList rows;
        const bool standard = mode == LightingTexts::kModeStandard;
        const std::size_t count = standard ? LightingTexts::kStandardCount : LightingTexts::kRespirationCount;
        for (std::size_t row = 0; row < count; ++row)
            rows.append(
                utf8(standard ? LightingTexts::standardParameter(row) : LightingTexts::respirationParameter(row)));
        const QRect rect = standard ? mainlayout::kParameterListLong : mainlayout::kParameterListShort;
        const QFont& font = context_.skin.style().normalFont;
        PopupListLook::forWindow(lists.create(PopupListId::lightingParameterList(), rect, rows, font), font);
    }
    lists.setOpenFlag(PopupListId::lightingParameterList(), true);
}

void LightingPanel::effectBoxPressed()
{
    if (hasParameterList(context_.host.settings().ledMode()))
        show(ValueBox::Effect, rgbEffectText());
}

void LightingPanel::swatchPressed(int stage)
{
    SettingsRecord& settings = context_.host.settings();
    if (!settings.isStageInUse(stage - 1))
        return;
    const std::optional<QColor> colour = context_.host.prompter().chooseColour(&context_.window, QColor());
    if (!colour)
        return;
    settings.setDpiColor(stage - 1, Rgb{static_cast<std::uint8_t>(colour->red()),
                                        static_cast<std::uint8_t>(colour->green()),
                                        static_cast<std::uint8_t>(colour->blue())});
    paintSwatch(stage);
}

void LightingPanel::listChosen(PopupListId id)
{
    PopupListSet& lists = context_.skin.lists();
    const int row = lists.currentRow(id);
    if (row < 0)
        return;
    if (id == PopupListId::lightingModeList())
        modeChosen(row);
    else if (id == PopupListId::lightingParameterList())
        parameterChosen(row);
    lists.close(id);
}

void LightingPanel::modeChosen(int row)
{
    SettingsRecord& settings = context_.host.settings();
    const auto mode = static_cast<std::uint8_t>(row);
    settings.setLedMode(mode);
    show(ValueBox::Mode, modeText(context_.host.texts(), mode));
    if (hasParameterList(mode)) {
        show(ValueBox::Parameter, parameterText(mode, settings));
        show(ValueBox::Effect, rgbEffectText());
    } else {
        show(ValueBox::Parameter, QString());
        show(ValueBox::Effect, QString());
    }
}

void LightingPanel::parameterChosen(int row)
{
    SettingsRecord& settings = context_.host.settings();
    const QListWidget* list = context_.skin.lists().list(PopupListId::lightingParameterList());
    const auto value = static_cast<std::uint8_t>(row);
    if (settings.ledMode() == LightingTexts::kModeStandard)
        settings.setLedBrightness(value);
    else if (settings.ledMode() == LightingTexts::kModeRespiration)
        settings.setLedPeriod(value);
    show(ValueBox::Parameter, list->item(row)->text());
}

} // namespace kestrel

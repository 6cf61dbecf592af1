// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_main.h"

#include "desktop/desktop.h"
#include "kb/store.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "output/commands.h"
#include "reading/dream_reading.h"
#include "reading/suggestions.h"
#include "text/trim.h"
#include "ui/accessibility.h"
#include "ui/controls/announcer.h"
#include "ui/controls/edge_resizer.h"
#include "ui/controls/labelled_input.h"
#include "ui/controls/panel.h"
#include "ui/controls/suggestion_list.h"
#include "ui/controls/title_bar.h"
#include "ui/controls/tool_button.h"
#include "ui/field_check.h"
#include "ui/query_navigation.h"
#include "ui/results_view.h"
#include "ui/style.h"
#include "ui/twips.h"
#include "ui/warm_up.h"

#include <mengjian/config.h>

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSvgWidget>

#include <tuple>

namespace ui {
namespace {

constexpr int kButtonTop = 480;
constexpr int kButtonSize = 375;
constexpr int kButtonPitch = 435;

// What a screen reader says once a query has run while the keyboard is elsewhere than in
// the results: the keyword, the result text as one line, and how many keywords it refers to.
QString resultAnnouncement(const QString &keyword, QString text, qsizetype references)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    QString said = keyword + QStringLiteral("：") + text.trimmed();
    if (references > 0)
        said += QStringLiteral(" 参照关键字 %1 个").arg(references);
    return said;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("梦鉴"));
    setWindowIcon(QIcon(QStringLiteral(":/ui/icon.svg")));
    setFont(style::songFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(toPixels(7065), toPixels(5865));
    setMinimumSize(330, 260);
    installAccessibleInterfaces();
    createControls();
    load();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    m_titleBar = new TitleBar(this);
    m_titleBar->setCaption(QStringLiteral("梦鉴-精华版"));
    connect(m_titleBar, &TitleBar::aboutRequested, this, &frmMain::showAbout);

    m_titleBar->setObjectName(QStringLiteral("titleBar"));

    struct ButtonDesign
    {
        ToolButton **button;
        const char *name;
        const char *icon;
        QString hint;
    };
    const ButtonDesign buttons[] = {
        {&m_btnSave, "btnSave", ":/ui/save.svg", QStringLiteral("保存")},
        {&m_btnCopy, "btnCopy", ":/ui/copy.svg", QStringLiteral("拷贝")},
        {&m_btnPrint, "btnPrint", ":/ui/print.svg", QStringLiteral("列印")},
        {&m_btnWeb, "btnWeb", ":/ui/web.svg", QStringLiteral("相关网站")},
        {&m_btnClose, "btnClose", ":/ui/close.svg", QStringLiteral("退出")},
    };
    int left = 120;
    for (const ButtonDesign &design : buttons) {
        auto *button = new ToolButton(QString::fromLatin1(design.icon), design.hint, this);
        button->setObjectName(QString::fromLatin1(design.name));
        button->setGeometry(toPixels(left), toPixels(kButtonTop), toPixels(kButtonSize),
                            toPixels(kButtonSize));
        connect(button, &ToolButton::hovered, this, [this, button] { ShowStatus(button->hint()); });
        *design.button = button;
        left += kButtonPitch;
    }
    connect(m_btnSave, &QAbstractButton::clicked, this, &frmMain::SaveReport);
    connect(m_btnCopy, &QAbstractButton::clicked, this, &frmMain::CopyReport);
    connect(m_btnPrint, &QAbstractButton::clicked, this, &frmMain::PrintReport);
    connect(m_btnWeb, &QAbstractButton::clicked, this, &frmMain::OpenMakerSite);
    connect(m_btnClose, &QAbstractButton::clicked, this, &QWidget::close);

    m_txtWord = new LabelledInput(QStringLiteral("梦境关键字"), QStringLiteral(":/ui/scroll.svg"),
                                  QStringLiteral(":/ui/check.svg"), this);
    m_txtWord->setObjectName(QStringLiteral("txtWord"));
    m_txtWord->setGeometry(toPixels(120), toPixels(1080), toPixels(2775), toPixels(300));
    m_fieldCheck = new FieldCheck(m_txtWord->field());
    connect(m_txtWord, &LabelledInput::textEdited, this, [this] {
        checkInput();
        showSuggestions();
    });
    connect(m_txtWord, &LabelledInput::focusLost, this, [this] { RunQuery(m_txtWord->text()); });
    connect(m_txtWord, &LabelledInput::confirmed, this, [this] { RunQuery(m_txtWord->text()); });
    connect(m_txtWord, &LabelledInput::mouseMoved, this,
            [this] { ShowStatus(m_txtWord->descriptiveText()); });

    m_frmBack = new ResultsView(this);
    m_frmBack->setObjectName(QStringLiteral("frmBack"));
    m_frmBack->setGeometry(toPixels(120), toPixels(1560), 0, 0);
    connect(m_frmBack, &ResultsView::keywordChosen, this, &frmMain::keywordChosen);

    m_statusBar = new Panel(Panel::BorderStyle::Sunken, this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setAccessibleRole(QAccessible::StatusBar);
    m_statusBar->setTextColor(style::kStatusTextColor);
    m_statusBar->setCursor(Qt::PointingHandCursor);
    m_statusBar->setToolTip(QStringLiteral("访问睿蓝软件网站"));
    connect(m_statusBar, &Panel::clicked, this, &frmMain::OpenMakerSite);

    m_Image1 = new QSvgWidget(QStringLiteral(":/ui/dream.svg"), this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setGeometry(0, toPixels(480), toPixels(1170), toPixels(945));
    m_Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_Image1->setAccessibleName(QStringLiteral("梦境插图"));

    // The window is frameless: its edges resize it, the title bar's top pixels included.
    m_edgeResizer = new EdgeResizer(this);
    m_edgeResizer->watch(m_titleBar);

    m_announcer = new Announcer(this);
    m_announcer->setObjectName(QStringLiteral("announcer"));

    m_suggestions = new SuggestionList(m_txtWord->field());
    connect(m_suggestions, &SuggestionList::chosen, this, &frmMain::suggestionChosen);

    // Ctrl+Enter in the input reads the whole dream; Enter alone still runs its query.
    auto *read = new QShortcut(m_txtWord->field());
    read->setKeys({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    read->setContext(Qt::WidgetShortcut);
    connect(read, &QShortcut::activated, this, [this] { showReading(m_txtWord->text()); });

    // Back and forward through the queries of this session (Alt+Left and Alt+Right, the
    // Back and Forward keys, the mouse's side buttons), each shown as a keyword label's
    // click shows it.
    m_navigation = new QueryNavigation(this, m_frmBack, [this](const QString &keyword, bool reading) {
        if (!reading) {
            keywordChosen(keyword);
            return;
        }
        m_txtWord->setText(keyword);
        showReading(keyword);
    });

    // The size of the results' text: keys anywhere in the window, Ctrl with the wheel over
    // the results.
    const auto shortcut = [this](const QList<QKeySequence> &keys, auto slot) {
        auto *s = new QShortcut(this);
        s->setKeys(keys);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
             [this] { m_frmBack->zoomBy(1); });
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { m_frmBack->zoomBy(-1); });
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_0)},
             [this] { m_frmBack->setTextSize(style::kResultTextSizes[0]); });
    connect(m_frmBack, &ResultsView::layoutRequested, this, &frmMain::ArrangeWindow);
}

void frmMain::load()
{
    // 1. Colours: the window and the buttons take the title colour; the input takes the
    // panel colour, as the results pane's viewport and results panel already do.
    const QColor titleColor = m_titleBar->color();
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, titleColor);
    setPalette(windowPalette);
    setAutoFillBackground(true);
    m_txtWord->setColor(m_frmBack->color());
    for (ToolButton *button : {m_btnSave, m_btnPrint, m_btnCopy, m_btnClose, m_btnWeb})
        button->setColor(palette().color(QPalette::Window));
    // 2. The status bar takes the title colour.
    m_statusBar->setColor(titleColor);
    // 3. The default status text.
    ShowStatus(defaultStatusText());
    // 4. The light border lines.
    m_lineColor = style::kLightLineColor;
    // 5. The welcome text, no keywords.
    m_frmBack->showWelcome(welcomeText());
    // 6. The tables: the omen verse table is built (kb::BuildVerseTable), then the dream
    // record table (kb::BuildRecordTable). kb builds each on first use and holds it until the
    // program ends; asking for them here builds both now, in this order, not at the first query.
    std::ignore = kb::verseTable();
    std::ignore = kb::recordTable();
    updateTabOrder();
}

QString frmMain::welcomeText()
{
    return QStringLiteral(
        "请输入梦境关键字，系统将会显示相关的分析资料和相关的参考关键字，尽量为你找到满意的解释。"
        "\r\n\r\n点击参考关键字，即可显示相关分析资料。");
}

QString frmMain::defaultStatusText()
{
    return QStringLiteral("下载站点：睿蓝软件") + QString::fromUtf16(config::kMakerUrl);
}

void frmMain::ShowStatus(const QString &text)
{
    m_statusBar->setText(text);
}

QString frmMain::currentKeyword() const
{
    return m_txtWord->text();
}

QString frmMain::resultText() const
{
    return m_frmBack->resultText();
}

QStringList frmMain::shownReferences() const
{
    return m_frmBack->keywords();
}

int frmMain::lineHeightTwips() const
{
    return m_frmBack->lineHeightTwips();
}

const QueryHistory &frmMain::history() const
{
    return m_navigation->history();
}

int frmMain::textSize() const
{
    return m_frmBack->textSize();
}

void frmMain::RunQuery(const QString &keyword)
{
    m_suggestions->hide();
    const QString trimmed = text::trimSpaces(keyword);
    if (trimmed.isEmpty()) {
        m_frmBack->showWelcome(welcomeText());
        updateTabOrder();
        return;
    }

    // A keyboard in the results goes to the new result text, which a screen reader then
    // reads; from anywhere else the result is announced.
    const bool focusInResults = m_frmBack->hasFocusInside();
    m_navigation->record(trimmed);

    setCursor(Qt::WaitCursor);
    ShowStatus(QStringLiteral("正在执行..."));
    QString lookupKeyword = trimmed;
    const modJieMEng::ShownResult shown =
        modJieMEng::showResult(modJieMEng::LookupKeyword(lookupKeyword));
    m_frmBack->showResult(shown.text, shown.references);
    ArrangeWindow();

    setCursor(Qt::ArrowCursor);
    ShowStatus(QStringLiteral("完成"));
    updateTabOrder();
    if (!focusInResults)
        m_announcer->announce(resultAnnouncement(trimmed, shown.text, shown.references.size()));
}

void frmMain::keywordChosen(const QString &keyword)
{
    // A keyword written by the program is not the user's typing: the input check leaves
    // it alone, so "钟2" stays "钟2".
    m_txtWord->setText(keyword);
    RunQuery(m_txtWord->text());
}

void frmMain::showSuggestions()
{
    // The input's text is what the user has committed: an input method's composition is
    // not part of it and never reaches here.
    QList<SuggestionList::Entry> entries;
    m_readingEntry.clear();
    for (const reading::Suggestion &s : reading::suggest(m_txtWord->text())) {
        if (s.reading)
            m_readingEntry = s.keyword;
        entries.append({s.keyword, s.note});
    }
    m_suggestions->setEntries(entries);
}

void frmMain::suggestionChosen(const QString &text)
{
    if (!m_readingEntry.isEmpty() && text == m_readingEntry)
        showReading(m_txtWord->text());
    else
        keywordChosen(text);
}

void frmMain::showReading(const QString &text)
{
    m_suggestions->hide();
    const QString trimmed = text::trimSpaces(text);
    if (trimmed.isEmpty()) {
        RunQuery(text);
        return;
    }
    // Leaving the input runs its query; the focus leaves it for the result text before the
    // reading is shown, so that the reading is what stays on screen and what the result
    // text, keeping the focus, says.
    if (m_txtWord->field()->hasFocus())
        m_frmBack->focusResultText();
    const bool focusInResults = m_frmBack->hasFocusInside();
    m_navigation->record(trimmed, true);

    setCursor(Qt::WaitCursor);
    ShowStatus(QStringLiteral("正在执行..."));
    const reading::Reading shown = reading::readDream(trimmed);
    m_frmBack->showResult(shown.text, shown.keywords);
    ArrangeWindow();
    setCursor(Qt::ArrowCursor);
    ShowStatus(QStringLiteral("完成"));
    updateTabOrder();
    if (!focusInResults)
        m_announcer->announce(resultAnnouncement(trimmed, shown.text, shown.keywords.size()));
}

void frmMain::checkInput()
{
    if (!m_fieldCheck->apply())
        return;
    ShowStatus(QStringLiteral("请输入有效的汉字！"));
    m_txtWord->setFocus();
}

void frmMain::ArrangeWindow()
{
    LayoutInput input;
    input.width = toTwips(width());
    input.height = toTwips(height());
    input.lineHeight = m_frmBack->lineHeightTwips();
    input.keywordLabels = m_frmBack->keywordLabelCount();
    input.resultTextHeight = [this](int widthTwips) {
        return m_frmBack->resultTextHeightTwips(widthTwips);
    };
    // The results panel stands where the scroll bar has taken it.
    m_geometry.Frame1.top = -m_frmBack->scrollPosition();
    m_geometry = ui::ArrangeWindow(input, m_geometry);
    applyGeometry();
}

void frmMain::applyGeometry()
{
    const WindowGeometry &g = m_geometry;
    const auto place = [](QWidget *w, const TwipsRect &r) {
        w->setGeometry(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
    };
    place(m_titleBar, g.titleBar);
    place(m_frmBack, g.frmBack);
    place(m_statusBar, g.statusBar);
    m_frmBack->applyGeometry(g);
    m_Image1->move(toPixels(g.Image1.left), toPixels(g.Image1.top));
    update();
}

void frmMain::updateTabOrder()
{
    // The keyboard goes from the input through the result text and the shown keywords to
    // the buttons, then to those of the title bar.
    QWidget *previous = m_frmBack->chainTabOrder(m_txtWord->field());
    QList<QWidget *> buttons{m_btnSave, m_btnCopy, m_btnPrint, m_btnWeb, m_btnClose};
    for (QAbstractButton *button : m_titleBar->buttons())
        buttons.append(button);
    for (QWidget *button : std::as_const(buttons)) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void frmMain::paintEvent(QPaintEvent *)
{
    // Once the window has been drawn, its idle time readies the first answer.
    if (!m_warmUpStarted) {
        m_warmUpStarted = true;
        WarmUp::start(this, style::songFont(m_frmBack->textSize()));
    }
    QPainter p(this);
    const auto draw = [&](const TwipsLine &l, const QColor &color) {
        p.setPen(color);
        p.drawLine(toPixels(l.x1), toPixels(l.y1), toPixels(l.x2), toPixels(l.y2));
    };
    // Light lines at the top and left, shadow lines just inside the right and bottom edge.
    const QColor shadow = palette().color(QPalette::Window).darker(160);
    const TwipsLine &right = m_geometry.Line3;
    const TwipsLine &bottom = m_geometry.Line4;
    draw({right.x1 - 7, right.y1, right.x2 - 7, right.y2}, shadow);
    draw({bottom.x1, bottom.y1 - 7, bottom.x2, bottom.y2 - 7}, shadow);
    draw(m_geometry.Line1, m_lineColor);
    draw(m_geometry.Line2, m_lineColor);
}

void frmMain::resizeEvent(QResizeEvent *)
{
    ArrangeWindow();
}

void frmMain::setVisible(bool visible)
{
    // The window takes its centred place before the window system maps it. Moved only after
    // mapping, it is placed twice, and under a window manager its idea of where it is can
    // stay at the first place: popups, the input method's candidates and the first drag of
    // the title bar would then all go astray.
    if (visible && !m_shownBefore) {
        if (const QScreen *screen = this->screen()) {
            QRect centred = geometry();
            centred.moveCenter(screen->availableGeometry().center());
            move(centred.topLeft());
        }
    }
    QWidget::setVisible(visible);
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    m_txtWord->setFocus();
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    // The bare window (its edges included) shows the default status text.
    if (childAt(event->position().toPoint()) == nullptr)
        ShowStatus(defaultStatusText());
    QWidget::mouseMoveEvent(event);
}

void frmMain::showAbout()
{
    desktop::current().showMessage(
        this, QStringLiteral("关于梦鉴"),
        QStringLiteral("《梦鉴》精华版  %1\n\n睿蓝软件 出品\n%2")
            .arg(QString::fromLatin1(config::kVersion), QString::fromUtf16(config::kMakerUrl)),
        desktop::Icon::Information);
}

output::QueryState frmMain::queryState() const
{
    return {currentKeyword(), resultText(), shownReferences()};
}

void frmMain::SaveReport()
{
    output::SaveReport(
        queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::CopyReport()
{
    output::CopyReport(
        queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::PrintReport()
{
    output::PrintReport(
        queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::OpenMakerSite()
{
    output::OpenMakerSite();
}

} // namespace ui

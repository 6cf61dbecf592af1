#include "ui/frm_main.h"

#include "desktop/desktop.h"
#include "kb/store.h"
#include "kb/tables.h"
#include "lookup/modjiemeng.h"
#include "lookup/result.h"
#include "output/commands.h"
#include "text/trim.h"
#include "ui/controls/labelled_input.h"
#include "ui/controls/panel.h"
#include "ui/controls/title_bar.h"
#include "ui/controls/tool_button.h"
#include "ui/input_check.h"
#include "ui/reference_label.h"
#include "ui/result_label.h"
#include "ui/twips.h"

#include <mengjian/config.h>

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSvgWidget>
#include <QWindow>

namespace ui {
namespace {

const QColor kKeywordColor(0, 0, 0);
const QColor kHoverColor(255, 162, 64);
const QColor kHeaderColor(128, 128, 0);
const QColor kResultColor(0, 64, 64);
const QColor kStatusTextColor(128, 128, 255);
const QColor kLightLineColor(250, 250, 250);

constexpr int kButtonTop = 480;
constexpr int kButtonSize = 375;
constexpr int kButtonPitch = 435;
constexpr int kResizeMargin = 5; // pixels along the window's edges that resize it

QCursor HandCursor()
{
    // Drawn at the screen's pixel ratio so that it stays crisp on dense screens; the hot
    // spot is the tip of the index finger. Every keyword label of a query takes it, so it
    // is drawn once per pixel ratio, not once per label.
    static QCursor cursor;
    static qreal cursorRatio = 0;
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    if (ratio != cursorRatio) {
        const QPixmap pixmap = QIcon(QStringLiteral(":/ui/hand.svg")).pixmap(QSize(32, 32), ratio);
        cursor = QCursor(pixmap, 12, 1);
        cursorRatio = ratio;
    }
    return cursor;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("梦鉴"));
    setWindowIcon(QIcon(QStringLiteral(":/ui/icon.svg")));
    setFont(QFont(QStringLiteral("宋体"), 9));
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(ToPixels(7065), ToPixels(5865));
    setMinimumSize(330, 260);
    CreateControls();
    Load();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls()
{
    m_titleBar = new TitleBar(this);
    m_titleBar->setCaption(QStringLiteral("梦鉴-精华版"));
    m_titleBar->installEventFilter(this);
    m_titleBar->setMouseTracking(true);
    connect(m_titleBar, &TitleBar::aboutRequested, this, &frmMain::ShowAbout);

    struct ButtonDesign
    {
        ToolButton **button;
        const char *icon;
        QString hint;
    };
    const ButtonDesign buttons[] = {
        {&m_btnSave, ":/ui/save.svg", QStringLiteral("保存")},
        {&m_btnCopy, ":/ui/copy.svg", QStringLiteral("拷贝")},
        {&m_btnPrint, ":/ui/print.svg", QStringLiteral("列印")},
        {&m_btnWeb, ":/ui/web.svg", QStringLiteral("相关网站")},
        {&m_btnClose, ":/ui/close.svg", QStringLiteral("退出")},
    };
    int left = 120;
    for (const ButtonDesign &design : buttons) {
        auto *button = new ToolButton(QString::fromLatin1(design.icon), design.hint, this);
        button->setGeometry(ToPixels(left), ToPixels(kButtonTop), ToPixels(kButtonSize), ToPixels(kButtonSize));
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
    m_txtWord->setGeometry(ToPixels(120), ToPixels(1080), ToPixels(2775), ToPixels(300));
    connect(m_txtWord, &LabelledInput::textEdited, this, &frmMain::CheckInput);
    connect(m_txtWord, &LabelledInput::focusLost, this, [this] { RunQuery(m_txtWord->text()); });
    connect(m_txtWord, &LabelledInput::confirmed, this, [this] { RunQuery(m_txtWord->text()); });
    connect(m_txtWord, &LabelledInput::mouseMoved, this,
            [this] { ShowStatus(m_txtWord->descriptiveText()); });

    m_frmBack = new Panel(Panel::BorderStyle::Ridge, this);
    m_frmBack->setText(QStringLiteral("解梦结果"));
    m_frmBack->setGeometry(ToPixels(120), ToPixels(1560), 0, 0);

    m_statusBar = new Panel(Panel::BorderStyle::Sunken, this);
    m_statusBar->setTextColor(kStatusTextColor);
    m_statusBar->setCursor(Qt::PointingHandCursor);
    m_statusBar->setToolTip(QStringLiteral("访问睿蓝软件网站"));
    connect(m_statusBar, &Panel::clicked, this, &frmMain::OpenMakerSite);

    m_frmFore = new QWidget(m_frmBack);
    m_frmFore->setAutoFillBackground(true);
    m_frmFore->installEventFilter(this);

    m_VScroll1 = new QScrollBar(Qt::Vertical, m_frmBack);
    m_VScroll1->setRange(0, 0);
    m_VScroll1->setSingleStep(10);
    m_VScroll1->setPageStep(100);
    // The panel moves when a drag of the thumb ends, not during it.
    m_VScroll1->setTracking(false);
    m_VScroll1->hide();
    m_VScroll1->setAccessibleName(QStringLiteral("解梦结果滚动条"));
    connect(m_VScroll1, &QScrollBar::valueChanged, this, &frmMain::ScrollChanged);

    m_Frame1 = new QWidget(m_frmFore);
    m_Frame1->setAutoFillBackground(true);
    m_Frame1->setMouseTracking(true);
    m_Frame1->installEventFilter(this);

    m_lblDscr = new ResultLabel(m_Frame1);
    QPalette resultPalette = m_lblDscr->palette();
    resultPalette.setColor(QPalette::WindowText, kResultColor);
    m_lblDscr->setPalette(resultPalette);

    auto *header = new ReferenceLabel(0, m_Frame1);
    header->setCaption(QStringLiteral("参照关键字："));
    header->setColor(kHeaderColor);
    header->setCursor(HandCursor());
    m_lblRefer.append(header);
    m_lblRefer.append(CreateKeywordLabel(1));

    m_Image1 = new QSvgWidget(QStringLiteral(":/ui/dream.svg"), this);
    m_Image1->setGeometry(0, ToPixels(480), ToPixels(1170), ToPixels(945));
    m_Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_Image1->setAccessibleName(QStringLiteral("梦境插图"));
    m_Frame1->setAccessibleName(QStringLiteral("解梦结果"));
    m_frmFore->setAccessibleName(QStringLiteral("解梦结果"));
}

void frmMain::Load()
{
    // 1. Colours: the window and the buttons take the title colour, the result area and
    // the input the panel colour.
    const QColor titleColor = m_titleBar->color();
    const QColor panelColor = m_frmBack->color();
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, titleColor);
    setPalette(windowPalette);
    setAutoFillBackground(true);
    QPalette forePalette = m_frmFore->palette();
    forePalette.setColor(QPalette::Window, panelColor);
    m_frmFore->setPalette(forePalette);
    m_txtWord->setColor(panelColor);
    for (ToolButton *button : {m_btnSave, m_btnPrint, m_btnCopy, m_btnClose, m_btnWeb})
        button->setColor(palette().color(QPalette::Window));
    // 2. The viewport has no border (a plain widget draws none).
    // 3. The status bar takes the title colour.
    m_statusBar->setColor(titleColor);
    // 4. The results panel takes the viewport's colour and sits at its top left.
    m_Frame1->setPalette(m_frmFore->palette());
    m_Frame1->move(0, 0);
    // 5. The default status text.
    ShowStatus(DefaultStatusText());
    // 6. The light border lines.
    m_lineColor = kLightLineColor;
    // 7. First texts.
    m_lblDscr->setCaption(QString());
    m_lblRefer[1]->setCaption(QString());
    m_lblRefer[0]->hide();
    m_lblDscr->setCaption(WelcomeText());
    // 8. The tables.
    kb::StoreVerseTable(kb::BuildVerseTable());
    kb::StoreRecordTable(kb::BuildRecordTable());
    UpdateTabOrder();
}

QString frmMain::WelcomeText()
{
    return QStringLiteral("请输入梦境关键字，系统将会显示相关的分析资料和相关的参考关键字，尽量为你找到满意的解释。"
                          "\r\n\r\n点击参考关键字，即可显示相关分析资料。");
}

QString frmMain::DefaultStatusText()
{
    return QStringLiteral("下载站点：睿蓝软件") + QString::fromUtf16(config::kMakerUrl);
}

void frmMain::ShowStatus(const QString &text)
{
    m_statusBar->setText(text);
}

QLabel *frmMain::lblDscr() const
{
    return m_lblDscr;
}

QString frmMain::currentKeyword() const
{
    return m_txtWord->text();
}

QString frmMain::resultText() const
{
    return m_lblDscr->caption();
}

QStringList frmMain::shownReferences() const
{
    QStringList shown;
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i) {
        if (!m_lblRefer[i]->isHidden())
            shown.append(m_lblRefer[i]->caption());
    }
    return shown;
}

int frmMain::lineHeightTwips() const
{
    return ToTwips(m_lblRefer[0]->fontMetrics().height());
}

ReferenceLabel *frmMain::CreateKeywordLabel(int index)
{
    auto *label = new ReferenceLabel(index, m_Frame1);
    label->setColor(kKeywordColor);
    label->setCursor(HandCursor());
    connect(label, &ReferenceLabel::clicked, this, &frmMain::KeywordLabelClicked);
    connect(label, &ReferenceLabel::hovered, this, &frmMain::KeywordLabelHovered);
    return label;
}

void frmMain::DestroyKeywordLabels()
{
    // A label may be the one whose click runs this query, so it goes once the click is
    // over; it leaves the array and the screen at once.
    while (m_lblRefer.size() > 2) {
        ReferenceLabel *label = m_lblRefer.takeLast();
        label->hide();
        label->disconnect(this);
        label->deleteLater();
    }
}

void frmMain::RunQuery(const QString &keyword)
{
    const QString trimmed = text::TrimSpaces(keyword);
    if (trimmed.isEmpty()) {
        m_lblDscr->setCaption(WelcomeText());
        DestroyKeywordLabels();
        m_lblRefer[0]->hide();
        m_lblRefer[1]->hide();
        m_lblRefer[0]->setCursor(Qt::ArrowCursor);
        UpdateTabOrder();
        return;
    }

    // Hiding the results panel takes the keyboard focus from a keyword label on it (the
    // query may even destroy that label); it comes back to the first keyword afterwards.
    QWidget *focused = QApplication::focusWidget();
    const bool focusInResults = focused && m_Frame1->isAncestorOf(focused);

    setCursor(Qt::WaitCursor);
    ShowStatus(QStringLiteral("正在执行..."));
    m_Frame1->hide();

    QString lookupKeyword = trimmed;
    const modJieMEng::ShownResult shown =
        modJieMEng::ShowResult(modJieMEng::LookupKeyword(lookupKeyword));
    m_lblDscr->setCaption(shown.text);

    DestroyKeywordLabels();
    if (shown.references.isEmpty()) {
        m_lblRefer[0]->hide();
        m_lblRefer[1]->hide();
    } else {
        m_lblRefer[0]->show();
        m_lblRefer[1]->show();
        m_lblRefer[1]->setCaption(shown.references.first());
        m_lblRefer.reserve(shown.references.size() + 1);
        for (qsizetype k = 1; k < shown.references.size(); ++k) {
            ReferenceLabel *label = CreateKeywordLabel(int(k + 1));
            label->setCaption(shown.references[k]);
            label->show();
            m_lblRefer.append(label);
        }
    }

    m_geometry.resultsPanel.left = 0;
    m_geometry.resultsPanel.top = 0;
    m_Frame1->move(0, 0);
    m_VScroll1->setValue(0);
    ArrangeWindow();

    setCursor(Qt::ArrowCursor);
    m_lblRefer[0]->setCursor(Qt::ArrowCursor);
    m_Frame1->show();
    ShowStatus(QStringLiteral("完成"));
    UpdateTabOrder();
    if (focusInResults) {
        if (m_lblRefer[1]->isVisible())
            m_lblRefer[1]->setFocus(Qt::TabFocusReason);
        else
            m_txtWord->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::KeywordLabelClicked(int index)
{
    if (index <= 0 || index >= m_lblRefer.size())
        return;
    // A keyword written by the program is not the user's typing: the input check leaves
    // it alone, so "钟2" stays "钟2".
    m_txtWord->setText(m_lblRefer[index]->caption());
    RunQuery(m_txtWord->text());
}

void frmMain::KeywordLabelHovered(int index)
{
    if (index <= 0 || index >= m_lblRefer.size())
        return;
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i)
        m_lblRefer[i]->setColor(kKeywordColor);
    m_lblRefer[index]->setColor(kHoverColor);
}

void frmMain::ResultsPanelHovered()
{
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i)
        m_lblRefer[i]->setColor(kKeywordColor);
}

void frmMain::ScrollChanged(int value)
{
    m_geometry.resultsPanel.top = -value;
    m_Frame1->move(ToPixels(m_geometry.resultsPanel.left), ToPixels(-value));
}

void frmMain::CheckInput()
{
    QLineEdit *field = m_txtWord->field();
    const CheckedInput checked = ui::CheckInput(field->text(), field->cursorPosition());
    if (!checked.changed)
        return;
    ShowStatus(QStringLiteral("请输入有效的汉字！"));
    field->setText(checked.text);
    field->setCursorPosition(checked.cursor);
    m_txtWord->setFocus();
}

void frmMain::ArrangeWindow()
{
    LayoutInput input;
    input.width = ToTwips(width());
    input.height = ToTwips(height());
    input.lineHeight = lineHeightTwips();
    input.keywordLabels = int(m_lblRefer.size() - 1);
    input.resultTextHeight = [this](int widthTwips) {
        return ToTwips(m_lblDscr->heightForWidth(ToPixels(widthTwips)));
    };
    m_geometry = ui::ArrangeWindow(input, m_geometry);
    ApplyGeometry();
}

void frmMain::ApplyGeometry()
{
    const WindowGeometry &g = m_geometry;
    const auto place = [](QWidget *w, const TwipsRect &r) {
        w->setGeometry(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
    };
    place(m_titleBar, g.titleBar);
    place(m_frmBack, g.background);
    place(m_statusBar, g.statusBar);
    place(m_frmFore, g.viewport);
    place(m_VScroll1, g.scrollBar);
    place(m_Frame1, g.resultsPanel);
    place(m_lblDscr, g.resultText);

    const int lineHeight = ToPixels(lineHeightTwips());
    const int headerLeft = ToPixels(g.headerLeft);
    ReferenceLabel *header = m_lblRefer[0];
    header->setGeometry(headerLeft, ToPixels(g.headerTop), header->sizeHint().width(), lineHeight);
    for (qsizetype i = 1; i < m_lblRefer.size() && i <= qsizetype(g.keywordLabelTops.size()); ++i) {
        ReferenceLabel *label = m_lblRefer[i];
        label->setGeometry(headerLeft, ToPixels(g.keywordLabelTops[std::size_t(i - 1)]),
                           label->sizeHint().width(), lineHeight);
    }

    m_VScroll1->setMaximum(g.scrollMaximum);
    m_VScroll1->setVisible(g.scrollBarVisible);
    m_Image1->move(ToPixels(g.picture.left), ToPixels(g.picture.top));
    update();
}

void frmMain::UpdateTabOrder()
{
    // The keyboard goes from the input through the shown keywords to the buttons.
    QWidget *previous = m_txtWord->field();
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i) {
        if (m_lblRefer[i]->isHidden())
            continue;
        setTabOrder(previous, m_lblRefer[i]);
        previous = m_lblRefer[i];
    }
    for (QWidget *button : {m_btnSave, m_btnCopy, m_btnPrint, m_btnWeb, m_btnClose}) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void frmMain::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const auto draw = [&](const TwipsLine &l, const QColor &color) {
        p.setPen(color);
        p.drawLine(ToPixels(l.x1), ToPixels(l.y1), ToPixels(l.x2), ToPixels(l.y2));
    };
    // Light lines at the top and left, shadow lines just inside the right and bottom edge.
    const QColor shadow = palette().color(QPalette::Window).darker(160);
    const TwipsLine &right = m_geometry.lines[2];
    const TwipsLine &bottom = m_geometry.lines[3];
    draw({right.x1 - 7, right.y1, right.x2 - 7, right.y2}, shadow);
    draw({bottom.x1, bottom.y1 - 7, bottom.x2, bottom.y2 - 7}, shadow);
    draw(m_geometry.lines[0], m_lineColor);
    draw(m_geometry.lines[1], m_lineColor);
}

void frmMain::resizeEvent(QResizeEvent *)
{
    ArrangeWindow();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    if (const QScreen *screen = this->screen()) {
        QRect centred = geometry();
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
    m_txtWord->setFocus();
}

Qt::Edges frmMain::EdgesAt(QPoint pos) const
{
    if (isMaximized() || isFullScreen())
        return {};
    Qt::Edges edges;
    if (pos.x() < kResizeMargin)
        edges |= Qt::LeftEdge;
    if (pos.x() >= width() - kResizeMargin)
        edges |= Qt::RightEdge;
    if (pos.y() < kResizeMargin)
        edges |= Qt::TopEdge;
    if (pos.y() >= height() - kResizeMargin)
        edges |= Qt::BottomEdge;
    return edges;
}

namespace {

Qt::CursorShape EdgeCursor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool mainDiagonal = (edges & Qt::LeftEdge) == bool(edges & Qt::TopEdge);
        return mainDiagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_resizeEdges && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = event->globalPosition().toPoint() - m_resizeStartPos;
        QRect r = m_resizeStartGeometry;
        if (m_resizeEdges & Qt::LeftEdge)
            r.setLeft(std::min(r.left() + delta.x(), r.right() - minimumWidth()));
        if (m_resizeEdges & Qt::RightEdge)
            r.setRight(r.right() + delta.x());
        if (m_resizeEdges & Qt::TopEdge)
            r.setTop(std::min(r.top() + delta.y(), r.bottom() - minimumHeight()));
        if (m_resizeEdges & Qt::BottomEdge)
            r.setBottom(r.bottom() + delta.y());
        setGeometry(r);
        return;
    }
    if (childAt(pos) == nullptr) {
        setCursor(EdgeCursor(EdgesAt(pos)));
        ShowStatus(DefaultStatusText());
    }
    QWidget::mouseMoveEvent(event);
}

void frmMain::mousePressEvent(QMouseEvent *event)
{
    const Qt::Edges edges = EdgesAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !edges)
        return QWidget::mousePressEvent(event);
    StartResize(edges, event->globalPosition().toPoint());
}

void frmMain::StartResize(Qt::Edges edges, QPoint globalPos)
{
    // The window system resizes the window where it can; where it refuses, the window
    // follows the pointer by hand until the button is released.
    if (windowHandle() && windowHandle()->startSystemResize(edges))
        return;
    m_resizeEdges = edges;
    m_resizeStartGeometry = geometry();
    m_resizeStartPos = globalPos;
    grabMouse();
}

void frmMain::mouseReleaseEvent(QMouseEvent *event)
{
    m_resizeEdges = {};
    if (mouseGrabber() == this)
        releaseMouse();
    QWidget::mouseReleaseEvent(event);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Frame1 && event->type() == QEvent::MouseMove) {
        // Only the panel's bare surface: the labels on it report their own moves.
        const auto *move = static_cast<QMouseEvent *>(event);
        if (m_Frame1->childAt(move->position().toPoint()) == nullptr)
            ResultsPanelHovered();
    } else if (watched == m_frmFore && event->type() == QEvent::Wheel && m_VScroll1->isVisible()) {
        // The wheel scrolls three lines of text a notch.
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const int notches = wheel->angleDelta().y();
        const int step = 3 * lineHeightTwips() * notches / 120;
        m_VScroll1->setValue(m_VScroll1->value() - step);
        return true;
    } else if (watched == m_titleBar
               && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)) {
        // The title bar reaches almost to the top edge; its top pixels resize the window.
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pos = m_titleBar->mapTo(this, mouse->position().toPoint());
        const Qt::Edges edges = EdgesAt(pos);
        if (event->type() == QEvent::MouseMove && !(mouse->buttons() & Qt::LeftButton))
            m_titleBar->setCursor(EdgeCursor(edges));
        if (event->type() == QEvent::MouseButtonPress && edges && mouse->button() == Qt::LeftButton) {
            StartResize(edges, mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::ShowAbout()
{
    desktop::Current().ShowMessage(
        this,
        QStringLiteral("《梦鉴》精华版  %1\n\n睿蓝软件 出品\n%2")
            .arg(QString::fromLatin1(config::kVersion), QString::fromUtf16(config::kMakerUrl)),
        QStringLiteral("关于梦鉴"), desktop::Icon::Information);
}

output::QueryState frmMain::queryState() const
{
    return {currentKeyword(), resultText(), shownReferences()};
}

void frmMain::SaveReport()
{
    output::SaveReport(queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::CopyReport()
{
    output::CopyReport(queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::PrintReport()
{
    output::PrintReport(queryState(), [this](const QString &t) { ShowStatus(t); }, this);
}

void frmMain::OpenMakerSite()
{
    output::OpenMakerSite();
}

} // namespace ui

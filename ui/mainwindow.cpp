#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <algorithm>
#include <functional>

#include "ui/editor/editorfiles.h"
#include "ui/help/abouttext.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace dyx {

namespace {

// ---- Look --------------------------------------------------------------------------------------

const QColor kBlue(0, 0, 255);
const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kSilver(192, 192, 192);

// The window's faces: "MS Sans Serif", "System" and "Arial CE" are replaced by Liberation Sans
// (metric-compatible with Arial), with DejaVu Sans behind it, at the same pixel sizes.
QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void paint(QWidget* widget, QColor background, QColor text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* makeLabel(const char* name, const QString& text, QRect geometry, QColor background,
                  QColor color, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    paint(label, background, color);
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(const char* name, const QString& caption, QRect geometry,
                        const QFont& font, QColor color, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
    button->setGeometry(geometry);
    // Every push button of the window is a default button: Enter clicks the focused one.
    button->setAutoDefault(true);
    return button;
}

QImage picture(const QString& name) {
    QImage image(QStringLiteral(":/pictures/") + name);
    if (image.isNull()) {
        throw GameError("Cannot load picture " + name.toStdString());
    }
    return image;
}

// ---- The board's layout -----------------------------------------------------------------------

struct PicturePlace {
    const char* name;
    Piece piece;  // Image12 and Image13 are not stage pieces: their entries are ignored
    int left;
    int top;
};

// Gallows and figure pictures, in drawing order up to the sun; each control takes its picture's
// size.
constexpr PicturePlace kLowerPictures[] = {
    {"Image1", Piece::Image1, 11, 288},  {"Image2", Piece::Image2, 37, 100},
    {"Image3", Piece::Image3, 43, 100},  {"Image4", Piece::Image4, 44, 109},
    {"Image5", Piece::Image5, 126, 99},  {"Image6", Piece::Image6, 120, 160},
    {"Image7", Piece::Image7, 119, 160}, {"Image8", Piece::Image8, 114, 160},
    {"Image9", Piece::Image9, 131, 244}, {"Image10", Piece::Image10, 107, 160},
};

struct KeyPlace {
    int left;
    int top;
    int width;
};

// The 33 keys in tab order (LetterKeys' order); Q sits between P and R although it comes last.
constexpr std::array<KeyPlace, kLetterKeyCount> kKeyPlaces = {{
    {0, 308, 31},   {31, 308, 31},  {62, 308, 30},  {92, 308, 31},  {123, 308, 31},
    {154, 308, 31}, {185, 308, 30}, {215, 308, 31}, {246, 308, 31}, {277, 308, 31},
    {308, 308, 30}, {0, 338, 31},   {31, 338, 31},  {62, 338, 30},  {92, 338, 31},
    {123, 338, 31}, {154, 338, 31}, {185, 338, 30}, {215, 338, 31}, {277, 338, 31},
    {308, 338, 30}, {0, 367, 31},   {31, 367, 31},  {62, 367, 30},  {92, 367, 31},
    {123, 367, 31}, {154, 367, 31}, {185, 367, 30}, {215, 367, 31}, {246, 367, 31},
    {277, 367, 31}, {308, 367, 30}, {246, 338, 31},
}};
constexpr int kKeyHeight = 31;

// Tells screen readers a new description, and only when it has changed.
void describe(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

// What a key guesses, for screen readers: "Hádá písmena E, Ě a É".
QString keyDescription(const LetterKey& key) {
    QStringList letters;
    for (const char c : key.reveal) {
        letters << fromCp1250(std::string_view(&c, 1));
    }
    if (letters.size() == 1) {
        return QStringLiteral("Hádá písmeno ") + letters.first();
    }
    const QString last = letters.takeLast();
    return QStringLiteral("Hádá písmena ") + letters.join(QStringLiteral(", ")) +
           QStringLiteral(" a ") + last;
}

// Panels lie below the client area until they are shown.
constexpr int kHiddenPanelTop = 500;

const char* const kWordListFilter = "Dyxolanové soubory [*.KIL] (*.KIL *.kil)";
const char* const kAllFilesFilter = "Všechny soubory [*.*] (*)";

QFileDialog* makeFileDialog(const char* name, QFileDialog::AcceptMode mode, bool allFiles,
                            QWidget* parent) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QLatin1String(name));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    // A name of a file that does not exist is accepted too: opening it then reports the error.
    dialog->setFileMode(QFileDialog::AnyFile);
    QStringList filters{QString::fromUtf8(kWordListFilter)};
    if (allFiles) {
        filters << QString::fromUtf8(kAllFilesFilter);
    }
    dialog->setNameFilters(filters);
    // The save dialog asks nothing before replacing a file and uses the name as typed.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    return dialog;
}

// Runs a file dialog modally. It offers the path and filter last confirmed in it; a cancelled
// dialog forgets where the player browsed.
std::optional<QString> runFileDialog(QFileDialog* dialog) {
    const QString file = dialog->property("confirmedFile").toString();
    const QString filter = dialog->property("confirmedFilter").toString();
    if (!file.isEmpty()) {
        dialog->selectFile(file);
    }
    if (!filter.isEmpty()) {
        dialog->selectNameFilter(filter);
    }
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog->selectedFiles().constFirst();
    dialog->setProperty("confirmedFile", chosen);
    dialog->setProperty("confirmedFilter", dialog->selectedNameFilter());
    return chosen;
}

}  // namespace

// ---- Message boxes and dialogs for the rules --------------------------------------------------

class MainWindow::WindowPrompter final : public Prompter {
public:
    explicit WindowPrompter(MainWindow& window) : m_window(window) {}

    void showMessage(MessageKind kind, std::string_view text) override {
        m_window.render();
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption = MainWindow::applicationTitle();
        if (kind == MessageKind::Warning) {
            icon = QMessageBox::Warning;
            caption = QStringLiteral("Warning");
        } else if (kind == MessageKind::Information) {
            icon = QMessageBox::Information;
            caption = QStringLiteral("Information");
        }
        CentredMessageBox box(icon, caption, fromUtf8(text), &m_window);
        box.exec();
    }

    void showError(std::string_view text) override {
        m_window.render();
        CentredMessageBox box(QMessageBox::Critical, MainWindow::applicationTitle(),
                              fromUtf8(text), &m_window);
        box.exec();
    }

    std::optional<std::string> chooseWordListFile() override {
        m_window.render();
        const auto chosen = runFileDialog(m_window.wordListDialog());
        if (!chosen) {
            return std::nullopt;
        }
        return QFile::encodeName(*chosen).toStdString();
    }

private:
    MainWindow& m_window;
};

// ---- Construction -----------------------------------------------------------------------------

MainWindow::MainWindow(std::unique_ptr<MediaPlayer> effects, std::unique_ptr<MediaPlayer> music,
                       QWidget* parent)
    : QMainWindow(parent),
      m_effects(std::move(effects)),
      m_music(std::move(music)),
      m_prompter(std::make_unique<WindowPrompter>(*this)),
      m_game(*m_prompter, *m_effects, *m_music, m_clock, m_random) {
    setObjectName(QStringLiteral("Form1"));
    setFont(pixelFont(14));
    setWindowIcon(QIcon(QPixmap::fromImage(picture(QStringLiteral("icon.png")))));

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setAccessibleName(QStringLiteral("Šibenice"));
    paint(area, kSilver, Qt::black);
    setCentralWidget(area);

    buildBoard(area);
    buildPanels(area);
    buildMenus();

    const int menuHeight = menuBar()->sizeHint().height();
    resize(338, 419 + menuHeight);
    move(209, 60);

    render();
    m_game.openStartupMedia();
}

MainWindow::~MainWindow() = default;

QString MainWindow::applicationTitle() {
    return applicationTitleFor(QCoreApplication::applicationFilePath());
}

void MainWindow::buildBoard(QWidget* area) {
    const auto place = [this](Piece piece, QWidget* widget) {
        m_pieces[static_cast<std::size_t>(piece)] = widget;
    };
    const auto addPicture = [area](const char* name, int left, int top) {
        auto* widget = new Picture(QLatin1String(name), picture(QLatin1String(name) + ".bmp"), area);
        widget->move(left, top);
        return widget;
    };
    const QFont labelFont = pixelFont(15);

    // The background fills the client area and follows its size.
    m_background = addPicture("IMAGE0", 0, 0);
    m_background->setAttribute(Qt::WA_TransparentForMouseEvents);
    area->installEventFilter(this);

    m_mask = makeLabel("Label2", QString(), QRect(0, 30, 326, 20), kBlue, kLime,
                       pixelFont(15, true), area);
    m_mask->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_mask->setAccessibleName(QStringLiteral("Hledané slovo"));
    makeLabel("Label1", QStringLiteral("Hledané slovo:"), QRect(0, 1, 338, 21), kBlue, kRed,
              pixelFont(15, true), area)
        ->setAlignment(Qt::AlignCenter);

    for (const PicturePlace& p : kLowerPictures) {
        place(p.piece, addPicture(p.name, p.left, p.top));
    }
    m_sun = addPicture("Image12", 254, 302);
    addPicture("Image13", 247, 300);
    place(Piece::Image14, addPicture("Image14", 254, 4));

    m_guessed = new GaugeBar(QStringLiteral("Gauge1"), Qt::white, Qt::black, area);
    m_guessed->setGeometry(2, 399, 167, 19);
    m_guessed->setAccessibleName(QStringLiteral("Uhodnutá slova"));
    m_guessed->setAccessibleDescription(QStringLiteral("Podíl slov uhodnutých v této sérii"));

    // The word counter is blue on the blue sky: it is kept, not read.
    m_counter = makeLabel("Label3", QStringLiteral("0"), QRect(0, 148, 7, 16), kBlue, kBlue,
                          labelFont, area);
    const auto strip = [&](const char* name, Piece piece, int left, int top) {
        place(piece, makeLabel(name, QStringLiteral("-----"), QRect(left, top, 20, 16), kBlue,
                               kBlue, labelFont, area));
    };
    strip("Label4", Piece::Label4, 112, 280);
    strip("Label5", Piece::Label5, 132, 280);
    strip("Label6", Piece::Label6, 96, 230);
    place(Piece::Image15, addPicture("Image15", 120, 160));
    strip("Label7", Piece::Label7, 141, 230);
    place(Piece::Label8,
          makeLabel("Label8", QString(), QRect(10, 187, 3, 16), kBlue, kBlue, labelFont, area));

    m_played = new GaugeBar(QStringLiteral("Gauge2"), kLime, Qt::black, area);
    m_played->setGeometry(171, 399, 166, 19);
    m_played->setAccessibleName(QStringLiteral("Odehraná slova"));
    m_played->setAccessibleDescription(QStringLiteral("Podíl série, který je už odehraný"));

    m_figure = addPicture("Image11", 119, 160);
    m_figure->resize(35, 76);
    place(Piece::Image11, m_figure);

    const QFont keyFont = pixelFont(17, true);
    for (std::size_t i = 0; i < kLetterKeyCount; ++i) {
        const LetterKey& key = LetterKeys[i];
        const KeyPlace& at = kKeyPlaces[i];
        QPushButton* button =
            makeButton(std::string(key.name).c_str(), fromUtf8(key.caption),
                       QRect(at.left, at.top, at.width, kKeyHeight), keyFont, Qt::black, area);
        connect(button, &QPushButton::clicked, this, [this, i, button] {
            // The key is used up by the click: it leaves no control with the focus.
            button->clearFocus();
            handle([this, i] { m_game.letterKeyClick(i); });
        });
        button->installEventFilter(this);
        button->setAccessibleName(QStringLiteral("Písmeno ") + button->text());
        button->setAccessibleDescription(keyDescription(key));
        m_keys[i] = button;
    }
}

void MainWindow::buildPanels(QWidget* area) {
    // The word count.
    m_wordCountPanel = new QGroupBox(QStringLiteral("Kolik slov budeš hádat?"), area);
    m_wordCountPanel->setObjectName(QStringLiteral("GroupBox1"));
    m_wordCountPanel->setGeometry(80, 18, 159, 74);
    m_wordCountPanel->setFont(pixelFont(15));
    paint(m_wordCountPanel, kBlue, kSilver);
    m_seriesSetting = new QSpinBox(m_wordCountPanel);
    m_seriesSetting->setObjectName(QStringLiteral("SpinEdit1"));
    m_seriesSetting->setGeometry(30, 20, 109, 26);
    m_seriesSetting->setRange(1, 10000);
    m_seriesSetting->setValue(10);
    m_seriesSetting->setFrame(false);
    m_seriesSetting->setFont(pixelFont(15));
    m_seriesSetting->setAccessibleName(QStringLiteral("Počet slov v sérii"));
    m_wordCountPanel->setAccessibleDescription(QStringLiteral("Nastav délku série a potvrď tlačítkem OK"));
    m_seriesSetting->installEventFilter(this);
    connect(m_seriesSetting, &QSpinBox::valueChanged, this,
            [this](int value) { m_game.setSeriesSetting(value); });
    m_wordCountOk = makeButton("Button1", QStringLiteral("OK"), QRect(62, 49, 40, 21),
                               pixelFont(15, true), Qt::black, m_wordCountPanel);
    m_wordCountOk->installEventFilter(this);
    connect(m_wordCountOk, &QPushButton::clicked, this,
            [this] { handle([this] { m_game.Button1Click(); }); });
    m_wordCountPanel->hide();

    // The word-list editor.
    m_editorPanel = new QGroupBox(QStringLiteral("Pod sebe zadávej svá slova psaná velkými písmeny"), area);
    m_editorPanel->setObjectName(QStringLiteral("GroupBox2"));
    m_editorPanel->setGeometry(0, kHiddenPanelTop, 338, 396);
    paint(m_editorPanel, kSilver, Qt::black);
    const auto icon = [this](const char* name, int left, const QString& hint,
                             void (MainWindow::*run)()) {
        auto* widget = new IconButton(QLatin1String(name),
                                      picture(QLatin1String(name) + ".png"), m_editorPanel);
        widget->move(left, 356);
        widget->setToolTip(hint);
        widget->setAccessibleName(hint);
        connect(widget, &IconButton::clicked, this, [this, run] { (this->*run)(); });
    };
    icon("Image16", 201, QStringLiteral("Uložit"), &MainWindow::Panel3Click);
    icon("Image17", 28, QStringLiteral("Otevřít"), &MainWindow::Panel1Click);
    icon("Image18", 118, QStringLiteral("Nastavení textu"), &MainWindow::Panel2Click);
    m_editorText = new QPlainTextEdit(m_editorPanel);
    m_editorText->setObjectName(QStringLiteral("Memo1"));
    m_editorText->setGeometry(10, 20, 317, 293);
    m_editorText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editorText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editorText->installEventFilter(this);
    m_editorText->setAccessibleName(QStringLiteral("Slova, jedno na řádek"));
    m_editorPanel->setAccessibleDescription(QStringLiteral("Editor vlastního seznamu slov"));
    m_editorPath = new QLineEdit(m_editorPanel);
    m_editorPath->setObjectName(QStringLiteral("Edit1"));
    m_editorPath->setGeometry(10, 320, 317, 24);
    m_editorPath->setReadOnly(true);
    m_editorPath->installEventFilter(this);
    m_editorPath->setAccessibleName(QStringLiteral("Soubor"));
    m_editorDone = makeButton("Button2", QStringLiteral("Hotovo"), QRect(265, 359, 60, 31),
                              pixelFont(15, true), kRed, m_editorPanel);
    m_editorDone->installEventFilter(this);
    connect(m_editorDone, &QPushButton::clicked, this, [this] { Button2Click(); });
    m_editorPanel->hide();

    // The help.
    m_helpPanel = new QGroupBox(QStringLiteral("Nápověda neboli HELP"), area);
    m_helpPanel->setObjectName(QStringLiteral("GroupBox3"));
    m_helpPanel->setGeometry(0, kHiddenPanelTop, 338, 307);
    paint(m_helpPanel, kSilver, Qt::black);
    m_helpText = new QPlainTextEdit(m_helpPanel);
    m_helpText->setObjectName(QStringLiteral("Memo2"));
    m_helpText->setGeometry(10, 18, 316, 255);
    m_helpText->setReadOnly(true);
    m_helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_helpText->installEventFilter(this);
    m_helpText->setAccessibleName(QStringLiteral("Návod"));
    m_helpPanel->setAccessibleDescription(QStringLiteral("Návod ke hře"));
    QFile manual(QStringLiteral(":/help/manual.txt"));
    if (!manual.open(QIODevice::ReadOnly)) {
        throw GameError("Cannot load the manual");
    }
    QString manualText = QString::fromUtf8(manual.readAll());
    if (manualText.endsWith(QLatin1Char('\n'))) {
        manualText.chop(1);
    }
    m_helpText->setPlainText(manualText);
    m_helpOk = makeButton("Button3", QStringLiteral("OK"), QRect(132, 277, 70, 21),
                          pixelFont(13, true), Qt::black, m_helpPanel);
    m_helpOk->installEventFilter(this);
    connect(m_helpOk, &QPushButton::clicked, this, [this] { Button3Click(); });
    m_helpPanel->hide();
}

// The dialogs are made when first needed (they cost more to build than the rest of the window)
// and then kept, each with what was last confirmed in it.
QFileDialog* MainWindow::fileDialog(QFileDialog*& slot, const char* name,
                                    QFileDialog::AcceptMode mode, bool allFiles) {
    if (!slot) {
        slot = makeFileDialog(name, mode, allFiles, this);
    }
    return slot;
}

QFileDialog* MainWindow::wordListDialog() {
    return fileDialog(m_wordListDialog, "OpenDialog1", QFileDialog::AcceptOpen, true);
}

QFileDialog* MainWindow::editorOpenDialog() {
    return fileDialog(m_editorOpenDialog, "OpenDialog2", QFileDialog::AcceptOpen, true);
}

QFileDialog* MainWindow::editorSaveDialog() {
    return fileDialog(m_editorSaveDialog, "SaveDialog1", QFileDialog::AcceptSave, false);
}

QFontDialog* MainWindow::fontDialog() {
    if (!m_fontDialog) {
        m_fontDialog = new QFontDialog(this);
        m_fontDialog->setObjectName(QStringLiteral("FontDialog1"));
        m_fontDialog->setOption(QFontDialog::DontUseNativeDialog);
        m_fontDialog->setCurrentFont(pixelFont(11));
    }
    return m_fontDialog;
}

void MainWindow::buildMenus() {
    struct Item {
        const char* name;
        const char* caption;  // "-" for a separator
        const char* shortcut;
        bool checkable;
        std::function<void()> run;
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const auto game = [this](void (Game::*run)()) {
        return [this, run] { handle([this, run] { (m_game.*run)(); }); };
    };
    const auto level = [this](Level value) {
        return [this, value] { handle([this, value] { m_game.levelClick(value); }); };
    };
    const auto category = [this](Category value) {
        return [this, value] { handle([this, value] { m_game.categoryClick(value); }); };
    };
    const auto window = [this](void (MainWindow::*run)()) { return [this, run] { (this->*run)(); }; };

    const std::vector<Menu> menus = {
        {"Soubor1",
         "&Soubor",
         {
             {"Odzatku1", "Znovu", "Ctrl+N", false, game(&Game::Odzatku1Click)},
             {"Vytvoitvlastn1", "Vytvořit vlastní", "", false, window(&MainWindow::Vytvoitvlastn1Click)},
             {"N1", "-", "", false, {}},
             {"Zvuky1", "Zvuky", "Ctrl+S", true, game(&Game::Zvuky1Click)},
             {"Hudba1", "Hudba", "Ctrl+M", true, game(&Game::Hudba1Click)},
             {"N2", "-", "", false, {}},
             {"Konec1", "Konec", "Ctrl+X", false, game(&Game::Konec1Click)},
         }},
        {"Hra1",
         "&Co hádat",
         {
             {"Slova1", "Slova", "", true, category(Category::Slova1)},
             {"Msta1", "Města", "", true, category(Category::Msta1)},
             {"Jmna1", "Jména", "", true, category(Category::Jmna1)},
             {"Pota1", "Počítač", "", true, category(Category::Pota1)},
             {"Pslov1", "Přísloví", "", true, category(Category::Pslov1)},
             {"Faunaaflra1", "Fauna a flóra", "", true, category(Category::Faunaaflra1)},
             {"N5", "-", "", false, {}},
             {"Vlastn1", "Vlastní", "", true, game(&Game::Vlastn1Click)},
         }},
        {"Obtnost2",
         "&Obtížnost",
         {
             {"Obtnost1", "Pro neandrtálce", "", true, level(Level::Obtnost1)},
             {"Prodti1", "Pro dítě", "", true, level(Level::Prodti1)},
             {"Prognie1", "Pro chytrého", "", true, level(Level::Prognie1)},
             {"Prolidskslovnk1", "Pro lidský slovník", "", true, level(Level::Prolidskslovnk1)},
             {"N3", "-", "", false, {}},
             {"Kolikslovbudehdat1", "Kolik slov budeš hádat?", "", false,
              game(&Game::Kolikslovbudehdat1Click)},
         }},
        {"Npovda1",
         "&Nápověda",
         {
             {"Nvod1", "Návod", "Ctrl+H", false, window(&MainWindow::Nvod1Click)},
             {"N4", "-", "", false, {}},
             {"About1", "About...", "Ctrl+A", false, window(&MainWindow::About1Click)},
         }},
    };

    for (const Menu& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(QLatin1String(spec.name));
        menu->menuAction()->setObjectName(QLatin1String(spec.name));
        for (const Item& item : spec.items) {
            QAction* action = nullptr;
            if (std::string_view(item.caption) == "-") {
                action = menu->addSeparator();
            } else {
                action = menu->addAction(QString::fromUtf8(item.caption));
                action->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
                action->setCheckable(item.checkable);
                connect(action, &QAction::triggered, this, item.run);
            }
            action->setObjectName(QLatin1String(item.name));
        }
    }
    const auto action = [this](const char* name) {
        return findChild<QAction*>(QLatin1String(name));
    };
    m_categoryActions = {action("Slova1"), action("Msta1"),  action("Jmna1"),       action("Pota1"),
                         action("Pslov1"), action("Faunaaflra1"), action("Vlastn1")};
    m_levelActions = {action("Obtnost1"), action("Prodti1"), action("Prognie1"),
                      action("Prolidskslovnk1")};
    m_soundsAction = action("Zvuky1");
    m_musicAction = action("Hudba1");
}

// ---- Drawing the state ------------------------------------------------------------------------

void MainWindow::render() {
    const GameState& s = m_game.state();
    for (std::size_t p = 0; p < kPieceCount; ++p) {
        m_pieces[p]->setVisible(s.shown[p]);
    }
    m_sun->move(m_sun->x(), s.sunTop);
    m_figure->resize(s.figureWidth, m_figure->height());

    m_mask->setText(fromCp1250(s.mask));
    m_mask->move(m_mask->x(), s.maskTop);
    m_mask->setAlignment((s.maskLeftAligned ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    // Screen readers hear how far the word is and how the gallows stands.
    const auto hidden = std::count(s.mask.begin(), s.mask.end(), '?');
    describe(m_mask, QStringLiteral("Zbývá uhodnout %1 z %2 znaků").arg(hidden).arg(s.mask.size()));
    describe(centralWidget(),
             QStringLiteral("Chyby: %1 z %2").arg(s.misses).arg(missesToLose(s.level)));

    for (std::size_t i = 0; i < kLetterKeyCount; ++i) {
        m_keys[i]->setVisible(s.keyShown[i]);
    }

    m_counter->setText(QString::number(s.wordsFinished));
    m_counter->adjustSize();
    m_guessed->setValues(s.wordsGuessed.progress, s.wordsGuessed.maximum);
    m_played->setValues(s.wordsPlayed.progress, s.wordsPlayed.maximum);
    m_wordCountPanel->setVisible(s.wordCountPanelShown);

    for (std::size_t c = 0; c < m_categoryActions.size(); ++c) {
        m_categoryActions[c]->setChecked(static_cast<std::size_t>(s.category) == c);
    }
    for (std::size_t l = 0; l < m_levelActions.size(); ++l) {
        m_levelActions[l]->setChecked(static_cast<std::size_t>(s.level) == l);
    }
    m_soundsAction->setChecked(s.soundsOn);
    m_musicAction->setChecked(s.musicOn);
    setWindowTitle(fromUtf8(s.caption));

    if (s.closeRequested) {
        close();
    }
}

template <typename Handler>
void MainWindow::handle(Handler&& handler) {
    runGuarded(*m_prompter, std::forward<Handler>(handler));
    render();
}

// ---- Start-up ---------------------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first round is set up once, when the window first appears, before any input; closing a
    // box or a dialog or coming back from another program never starts a round.
    if (!m_activated) {
        m_activated = true;
        handle([this] { m_game.FormActivate(); });
    }
}

// ---- Panels -----------------------------------------------------------------------------------

void MainWindow::Vytvoitvlastn1Click() {
    m_editorPanel->move(0, 0);
    m_editorPanel->show();
}

void MainWindow::Button2Click() {
    m_editorPanel->hide();
}

void MainWindow::Nvod1Click() {
    m_helpPanel->move(0, 0);
    m_helpPanel->show();
}

void MainWindow::Button3Click() {
    m_helpPanel->hide();
}

void MainWindow::About1Click() {
    handle([this] { m_prompter->showMessage(MessageKind::Information, kAboutText); });
}

void MainWindow::Panel1Click() {
    handle([this] {
        const auto path = runFileDialog(editorOpenDialog());
        if (!path) {
            return;
        }
        const QString text = editor::open(*path);
        m_editorText->setPlainText(text);
        m_editorPath->setText(*path);
    });
}

void MainWindow::Panel2Click() {
    QFontDialog* dialog = fontDialog();
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    // The dialog starts from the font last chosen in it; the editor's font is the manual's too.
    const QFont font = dialog->selectedFont();
    dialog->setCurrentFont(font);
    m_editorText->setFont(font);
    m_helpText->setFont(font);
}

void MainWindow::Panel3Click() {
    handle([this] {
        const auto path = runFileDialog(editorSaveDialog());
        if (!path) {
            return;
        }
        editor::save(*path, m_editorText->toPlainText());
        m_editorPath->setText(*path);
    });
}

// ---- Keyboard ---------------------------------------------------------------------------------

void MainWindow::clickDefaultButton() {
    for (QPushButton* key : m_keys) {
        if (key->isVisible()) {
            key->click();
            return;
        }
    }
    const std::pair<QPushButton*, QGroupBox*> panelButtons[] = {
        {m_wordCountOk, m_wordCountPanel}, {m_editorDone, m_editorPanel}, {m_helpOk, m_helpPanel}};
    for (const auto& [button, panel] : panelButtons) {
        if (panel->isVisible()) {
            button->click();
            return;
        }
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter with the focus on no push button clicks the default button. Push buttons take their
    // own Enter, and the text fields keep it for a new line.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        clickDefaultButton();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::moveFocusWithinGroup(QWidget* from, bool forward) {
    QWidget* candidate = from;
    for (;;) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == from) {
            return false;
        }
        if (candidate->parentWidget() == from->parentWidget() && candidate->isVisible() &&
            candidate->isEnabled() && (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == centralWidget()) {
        // The background picture fills the client area.
        m_background->resize(centralWidget()->size());
    }
    if (event->type() == QEvent::ShortcutOverride && !qobject_cast<QPushButton*>(watched)) {
        // In a text field its own editing keys win over the menu shortcuts: Ctrl+X cuts text in
        // the editor instead of ending the game, Ctrl+A selects all.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key == QKeySequence::Cut || key == QKeySequence::SelectAll ||
            key == QKeySequence::Copy || key == QKeySequence::Paste ||
            key == QKeySequence::Undo || key == QKeySequence::Redo) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            // The arrow keys move the focus among the push buttons of the same group.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Right || key == Qt::Key_Down) {
                moveFocusWithinGroup(button, true);
                return true;
            }
            if (key == Qt::Key_Left || key == Qt::Key_Up) {
                moveFocusWithinGroup(button, false);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace dyx

// Thousands of random clicks on the real window, offscreen: letter keys by mouse and by Enter, the
// level and category items, "Vlastní" with small word lists (or cancelled), "Znovu" from the menu
// and by Ctrl+N, the word-count panel (values set and typed, with and without "OK"), the help and
// editor panels opened and closed, the about box, and sounds and music on silent players whose
// files go missing now and then. Every box and dialog is answered. After each click the widgets
// must show the game's state and agree with each other: the mask as long as the hidden word,
// gauges at 0 to 100 %, exactly one category and one level checked, no box left open.
//
// Each run is seeded at random and prints its seed; DYX_UISOAK_SEED=<seed> makes the same random
// choices again, and DYX_UISOAK_STEPS=<n> changes the number of clicks. The window draws its words
// from its own clock-seeded generator, so a replay follows the failed run only as far as the words
// agree; the failure report lists the last clicks and the state they left.

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <array>
#include <deque>
#include <random>

#include "game/letterkeys.h"
#include "tests/fakes.h"
#include "tests/ui/boxanswerer.h"
#include "ui/mainwindow.h"
#include "ui/text.h"
#include "ui/widgets.h"

using namespace dyx;
using namespace dyx::testing;

namespace {

constexpr int kDefaultSteps = 4000;

constexpr std::array<const char*, 7> kCategoryItems = {
    "Slova1", "Msta1", "Jmna1", "Pota1", "Pslov1", "Faunaaflra1", "Vlastn1"};  // Category order
constexpr std::array<const char*, 4> kLevelItems = {"Obtnost1", "Prodti1", "Prognie1",
                                                    "Prolidskslovnk1"};  // Level order

// Small word lists in CP1250: empty words, digits only, lower case, accents and a "?".
struct WordList {
    const char* name;
    QByteArray bytes;
};
const std::array<WordList, 5> kWordLists = {{
    {"empty.KIL", QByteArray()},
    {"gaps.KIL", QByteArray("\r\nPES\r\n\r\nKO\xC8KA\r\n")},
    {"digits.KIL", QByteArray("123\r\n4 5-6\r\n*+,-./\r\n")},
    {"lower.KIL", QByteArray("pes\r\nko\xE8ka\r\nD\xF9M\r\n")},
    {"mixed.KIL", QByteArray("\x8ELU\x8DOU\xC8K\xDD K\xF9\xD2\r\nCO?!\r\nQWERTY 2024\r\n")},
}};

std::optional<quint64> envNumber(const char* name) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? std::optional<quint64>(value) : std::nullopt;
}

// Answers a file dialog with the given path, typed into its name field.
std::function<void(QDialog*)> choose(const QString& path) {
    return [path](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        auto* name = files ? files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name) {
            dialog->reject();
            return;
        }
        name->setText(path);
        QMetaObject::invokeMethod(files, "accept");
    };
}

}  // namespace

class UiSoak : public QObject {
    Q_OBJECT

private slots:
    void randomClicksKeepTheWindowConsistent();

private:
    template <typename T = QWidget>
    T* child(const char* name) const {
        T* widget = m_window->findChild<T*>(QLatin1String(name));
        if (!widget) {
            qFatal("no widget %s", name);
        }
        return widget;
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    void shortcut(Qt::Key key) {
        // The offscreen platform leaves a closed dialog as the active window; a desktop gives the
        // activation back to the main window.
        QApplication::setActiveWindow(m_window.get());
        QTest::keyClick(m_window.get(), key, Qt::ControlModifier);
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    QString playStep();
    QString check() const;
    void checkBehindBox(const BoxAnswerer::Box& box);
    void setMissingSounds(int choice);

    quint64 m_seed = 0;
    std::mt19937_64 m_random;
    QTemporaryDir m_dir;
    Trace m_trace;
    std::unique_ptr<BoxAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    FakePlayer* m_effects = nullptr;  // owned by the window
    bool m_helpOpen = false;
    bool m_editorOpen = false;
    QString m_failureBehindBox;
    int m_wins = 0;
    int m_losses = 0;
    int m_verdicts = 0;
    int m_errors = 0;
};

void UiSoak::setMissingSounds(int choice) {
    m_effects->missingFiles.clear();
    if (choice == 1) {
        // A few effects at random: each one played shows an error box and the game goes on.
        for (int n = 0; n < 3; ++n) {
            m_effects->missingFiles.emplace(SoundFileNames[static_cast<std::size_t>(pick(30))]);
        }
    }
}

// One random click; returns what it did.
QString UiSoak::playStep() {
    const int roll = pick(1000);
    if (roll < 650) {
        std::vector<std::size_t> shown;
        for (std::size_t k = 0; k < LetterKeys.size(); ++k) {
            if (m_window->game().state().keyShown[k]) {
                shown.push_back(k);
            }
        }
        const LetterKey& key =
            LetterKeys[shown[static_cast<std::size_t>(pick(static_cast<int>(shown.size())))]];
        const std::string name(key.name);
        click(child<QPushButton>(name.c_str()));
        return QStringLiteral("key ") + QString::fromStdString(name);
    }
    if (roll < 680) {
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        return QStringLiteral("Enter");
    }
    if (roll < 720) {
        const char* item = kLevelItems[static_cast<std::size_t>(pick(4))];
        action(item)->trigger();
        return QString::fromLatin1(item);
    }
    if (roll < 750) {
        const char* item = kCategoryItems[static_cast<std::size_t>(pick(6))];
        action(item)->trigger();
        return QString::fromLatin1(item);
    }
    if (roll < 760) {
        const int which = pick(static_cast<int>(kWordLists.size()) + 2);
        QString what = QStringLiteral("Vlastn1 cancelled");
        if (which < static_cast<int>(kWordLists.size())) {
            const QString path =
                m_dir.filePath(QLatin1String(kWordLists[static_cast<std::size_t>(which)].name));
            m_answerer->dialogAnswers.push_back(choose(path));
            what = QStringLiteral("Vlastn1 ") + path;
        } else if (which == static_cast<int>(kWordLists.size())) {
            const QString path = m_dir.filePath(QStringLiteral("chybí.KIL"));
            m_answerer->dialogAnswers.push_back(choose(path));
            what = QStringLiteral("Vlastn1 ") + path;
        }
        action("Vlastn1")->trigger();
        m_answerer->dialogAnswers.clear();
        QApplication::setActiveWindow(m_window.get());
        return what;
    }
    if (roll < 790) {
        if (pick(2) == 0) {
            action("Odzatku1")->trigger();
        } else {
            shortcut(Qt::Key_N);
        }
        return QStringLiteral("Znovu");
    }
    if (roll < 820) {
        action("Kolikslovbudehdat1")->trigger();
        return QStringLiteral("Kolikslovbudehdat1");
    }
    if (roll < 850) {
        auto* spin = child<QSpinBox>("SpinEdit1");
        if (pick(2) == 0) {
            const int value = pick(4) == 0 ? 1 + pick(10000) : 1 + pick(5);
            spin->setValue(value);
            return QStringLiteral("SpinEdit1 set to %1").arg(value);
        }
        // Typed as a player would, also text the field must refuse or correct.
        static const std::array<const char*, 6> typed = {"3", "0", "20000", "12", "x", "10001"};
        const char* text = typed[static_cast<std::size_t>(pick(6))];
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QLatin1String(text));
        return QStringLiteral("SpinEdit1 typed ") + QLatin1String(text);
    }
    if (roll < 880) {
        if (!child("GroupBox1")->isVisible()) {
            return QStringLiteral("(OK not shown)");
        }
        click(child<QPushButton>("Button1"));
        return QStringLiteral("Button1");
    }
    if (roll < 900) {
        shortcut(Qt::Key_H);
        m_helpOpen = true;
        return QStringLiteral("Nvod1");
    }
    if (roll < 920) {
        if (!m_helpOpen) {
            return QStringLiteral("(help not open)");
        }
        click(child<QPushButton>("Button3"));
        m_helpOpen = false;
        return QStringLiteral("Button3");
    }
    if (roll < 940) {
        action("Vytvoitvlastn1")->trigger();
        m_editorOpen = true;
        return QStringLiteral("Vytvoitvlastn1");
    }
    if (roll < 960) {
        if (!m_editorOpen) {
            return QStringLiteral("(editor not open)");
        }
        click(child<QPushButton>("Button2"));
        m_editorOpen = false;
        return QStringLiteral("Button2");
    }
    if (roll < 975) {
        shortcut(Qt::Key_S);
        return QStringLiteral("Zvuky1");
    }
    if (roll < 985) {
        shortcut(Qt::Key_M);
        return QStringLiteral("Hudba1");
    }
    if (roll < 990) {
        action("About1")->trigger();
        return QStringLiteral("About1");
    }
    const int choice = pick(3) == 0 ? 1 : 0;
    setMissingSounds(choice);
    return choice ? QStringLiteral("some sounds missing") : QStringLiteral("all sounds back");
}

// What must hold between clicks; returns the first thing that does not.
QString UiSoak::check() const {
    if (!m_window->isVisible()) {
        return QStringLiteral("the window has closed");
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return QStringLiteral("a box was left open: ") + modal->objectName();
    }
    const Game& game = m_window->game();
    const GameState& s = game.state();

    const QString mask = child<QLabel>("Label2")->text();
    const QString word = fromCp1250(game.hiddenWord());
    if (mask.size() != static_cast<qsizetype>(game.hiddenWord().size())) {
        return QStringLiteral("the mask \"%1\" is not as long as the word \"%2\"").arg(mask, word);
    }
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] != QLatin1Char('?') && mask[i] != word[i]) {
            return QStringLiteral("the mask \"%1\" shows what the word \"%2\" does not have")
                .arg(mask, word);
        }
    }
    if (mask != fromCp1250(s.mask)) {
        return QStringLiteral("the mask label does not show the game's mask");
    }

    static const QRegularExpression percent(QStringLiteral("^(\\d{1,3})%$"));
    for (const auto& [name, gauge] :
         {std::pair{"Gauge1", &s.wordsGuessed}, std::pair{"Gauge2", &s.wordsPlayed}}) {
        const QString text = child<GaugeBar>(name)->text();
        const QRegularExpressionMatch match = percent.match(text);
        const int value = match.hasMatch() ? match.captured(1).toInt() : -1;
        if (value < 0 || value > 100) {
            return QStringLiteral("%1 shows \"%2\"").arg(QLatin1String(name), text);
        }
        if (value != gauge->percent()) {
            return QStringLiteral("%1 shows %2 where the game has %3/%4")
                .arg(QLatin1String(name), text)
                .arg(gauge->progress)
                .arg(gauge->maximum);
        }
    }
    if (child<QLabel>("Label3")->text() != QString::number(s.wordsFinished)) {
        return QStringLiteral("Label3 does not show the words finished");
    }

    int categoriesChecked = 0;
    for (std::size_t c = 0; c < kCategoryItems.size(); ++c) {
        if (action(kCategoryItems[c])->isChecked()) {
            ++categoriesChecked;
            if (c != static_cast<std::size_t>(s.category)) {
                return QStringLiteral("%1 is checked, not the game's category")
                    .arg(QLatin1String(kCategoryItems[c]));
            }
        }
    }
    if (categoriesChecked != 1) {
        return QStringLiteral("%1 categories checked").arg(categoriesChecked);
    }
    const QString title = m_window->windowTitle();
    const QString named = QStringLiteral("Dyxolana - ") +
                          action(kCategoryItems[static_cast<std::size_t>(s.category)])->text();
    if (s.category == Category::Vlastn1
            ? !title.startsWith(QStringLiteral("Dyxolana - ") + m_dir.path())
            : title != named) {
        return QStringLiteral("the caption \"%1\" does not name the category").arg(title);
    }
    int levelsChecked = 0;
    for (std::size_t l = 0; l < kLevelItems.size(); ++l) {
        if (action(kLevelItems[l])->isChecked()) {
            ++levelsChecked;
            if (l != static_cast<std::size_t>(s.level)) {
                return QStringLiteral("%1 is checked, not the game's level")
                    .arg(QLatin1String(kLevelItems[l]));
            }
        }
    }
    if (levelsChecked != 1) {
        return QStringLiteral("%1 levels checked").arg(levelsChecked);
    }

    for (std::size_t k = 0; k < LetterKeys.size(); ++k) {
        const std::string name(LetterKeys[k].name);
        if (child(name.c_str())->isVisible() != s.keyShown[k]) {
            return QStringLiteral("key %1 is not drawn as the game has it")
                .arg(QString::fromStdString(name));
        }
    }
    if (child("Image11")->isVisible() || child("Image11")->width() != 35 ||
        child("Image14")->isVisible()) {
        return QStringLiteral("the lost figure or the smoking sun stands outside the loss message");
    }
    const int sun = child("Image12")->y();
    if (std::find(SunTops.begin(), SunTops.end(), sun) == SunTops.end()) {
        return QStringLiteral("the sun stands at %1").arg(sun);
    }
    if (child("GroupBox1")->isVisible() != s.wordCountPanelShown ||
        child("GroupBox3")->isVisible() != m_helpOpen ||
        child("GroupBox2")->isVisible() != m_editorOpen) {
        return QStringLiteral("a panel is open or closed against what was clicked");
    }
    if (child<QSpinBox>("SpinEdit1")->value() != s.seriesSetting) {
        return QStringLiteral("the word count field and the game's setting differ");
    }
    if (action("Zvuky1")->isChecked() != s.soundsOn || action("Hudba1")->isChecked() != s.musicOn) {
        return QStringLiteral("the sound marks differ from the game's switches");
    }
    return {};
}

void UiSoak::checkBehindBox(const BoxAnswerer::Box& box) {
    if (box.buttons != QStringList{QStringLiteral("OK")}) {
        m_failureBehindBox = QStringLiteral("a box without a single OK: ") + box.text;
    }
    const bool lostFigure = child("Image11")->isVisible() && child("Image11")->width() == 77 &&
                            child("Image14")->isVisible();
    if (box.text.startsWith(QStringLiteral("Cha chá! Neuhád! Mělo to znít takhle: "))) {
        ++m_losses;
        if (!lostFigure) {
            m_failureBehindBox = QStringLiteral("the loss message without the whole figure");
        }
        return;
    }
    if (box.icon == QMessageBox::Critical) {
        // A sound that cannot be played is reported wherever it comes, also during the loss
        // sequence, before its message.
        ++m_errors;
        return;
    }
    if (child("Image14")->isVisible() || child("Image11")->width() != 35) {
        m_failureBehindBox = QStringLiteral("the smoking sun behind another box: ") + box.text;
    }
    if (box.text.startsWith(QStringLiteral("Tentokrát"))) {
        ++m_wins;
        if (child<QLabel>("Label2")->text().contains(QLatin1Char('?'))) {
            m_failureBehindBox = QStringLiteral("the won word is not shown revealed");
        }
    } else if (box.text.startsWith(QStringLiteral("Vyhráls na "))) {
        ++m_verdicts;
    }
}

void UiSoak::randomClicksKeepTheWindowConsistent() {
    m_seed = envNumber("DYX_UISOAK_SEED").value_or(std::random_device{}());
    const int steps = static_cast<int>(envNumber("DYX_UISOAK_STEPS").value_or(kDefaultSteps));
    m_random.seed(m_seed);
    std::printf("ui soak: seed %llu, %d steps (DYX_UISOAK_SEED=%llu repeats its choices)\n",
                static_cast<unsigned long long>(m_seed), steps,
                static_cast<unsigned long long>(m_seed));
    std::fflush(stdout);

    QVERIFY(m_dir.isValid());
    for (const WordList& list : kWordLists) {
        QFile file(m_dir.filePath(QLatin1String(list.name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(list.bytes);
    }

    m_answerer = std::make_unique<BoxAnswerer>();
    m_answerer->onBox = [this](const BoxAnswerer::Box& box) { checkBehindBox(box); };
    auto effects = std::make_unique<FakePlayer>(m_trace, "effects");
    m_effects = effects.get();
    m_window = std::make_unique<MainWindow>(std::move(effects),
                                            std::make_unique<FakePlayer>(m_trace, "music"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    std::deque<QString> history;
    for (int n = 1; n <= steps; ++n) {
        history.push_back(playStep());
        if (history.size() > 30) {
            history.pop_front();
        }
        m_trace.clear();
        m_answerer->boxes.clear();
        const QString problem = m_failureBehindBox.isEmpty() ? check() : m_failureBehindBox;
        if (!problem.isEmpty()) {
            QString last;
            for (const QString& step : history) {
                last += QStringLiteral("\n    ") + step;
            }
            const GameState& s = m_window->game().state();
            const QString now =
                QStringLiteral(
                    "word \"%1\", mask \"%2\", Label3 %3, Gauge1 %4/%5, Gauge2 %6/%7, "
                    "caption \"%8\"")
                    .arg(fromCp1250(m_window->game().hiddenWord()), fromCp1250(s.mask))
                    .arg(s.wordsFinished)
                    .arg(s.wordsGuessed.progress)
                    .arg(s.wordsGuessed.maximum)
                    .arg(s.wordsPlayed.progress)
                    .arg(s.wordsPlayed.maximum)
                    .arg(m_window->windowTitle());
            const QString message =
                QStringLiteral(
                    "step %1 (%2): %3\n  now: %4\n  last steps:%5\n  replay with "
                    "DYX_UISOAK_SEED=%6")
                    .arg(n)
                    .arg(history.back(), problem, now, last)
                    .arg(m_seed);
            QFAIL(qPrintable(message));
        }
    }
    std::printf("ui soak: %d words won, %d lost, %d verdicts, %d error boxes\n", m_wins, m_losses,
                m_verdicts, m_errors);
    // A run of some length ends words both ways and ends series; if it did not, the soak would
    // have missed the boxes it is meant to go through.
    if (steps >= 2000) {
        QVERIFY(m_wins > 0);
        QVERIFY(m_losses > 0);
        QVERIFY(m_verdicts > 0);
    }
    m_window.reset();
    m_answerer.reset();
}

QTEST_MAIN(UiSoak)
#include "mainwindow_soak.moc"

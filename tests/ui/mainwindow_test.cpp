// The real window, offscreen: layout, menus, keyboard, message boxes, whole words played by
// clicking keys, start-up and exit.

#include <QAccessible>
#include <QAction>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/fakes.h"
#include "tests/ui/boxanswerer.h"
#include "ui/application.h"
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"
#include "ui/mainwindow.h"
#include "ui/text.h"
#include "ui/widgets.h"

using namespace dyx;
using namespace dyx::testing;

namespace {

// Answers a file dialog with the given file.
std::function<void(QDialog*)> choose(const QString& path) {
    return [path](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        // Typed into the name field, as a player would.
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QMetaObject::invokeMethod(files, "accept");
    };
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    Trace m_trace;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<BoxAnswerer> m_answerer;
    QTemporaryDir m_dir;

    template <typename T = QWidget>
    T* child(const char* name) {
        T* widget = m_window->findChild<T*>(QLatin1String(name));
        if (!widget) {
            qFatal("no widget %s", name);
        }
        return widget;
    }
    QAction* action(const char* name) { return child<QAction>(name); }
    QString mask() { return child<QLabel>("Label2")->text(); }
    void clickKeys(const QStringList& names) {
        for (const QString& name : names) {
            QTest::mouseClick(child<QPushButton>(name.toLatin1().constData()), Qt::LeftButton);
        }
    }
    // Loads a custom list of the given lines and restarts, so the next word comes from it.
    void playWords(const QByteArray& cp1250Lines) {
        const QString path = m_dir.filePath(QStringLiteral("words.KIL"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(cp1250Lines);
        file.close();
        m_answerer->dialogAnswers.push_back(choose(path));
        action("Vlastn1")->trigger();
        action("Odzatku1")->trigger();
        // The offscreen platform leaves a closed dialog as the active window; a desktop gives
        // the activation back to the main window.
        QApplication::setActiveWindow(m_window.get());
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_trace.clear();
        m_answerer = std::make_unique<BoxAnswerer>();
        m_window = std::make_unique<MainWindow>(std::make_unique<FakePlayer>(m_trace, "effects"),
                                                std::make_unique<FakePlayer>(m_trace, "music"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        m_answerer.reset();
    }

    void controlsStartWhereTheBoardPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");
        const auto row = [](const char* name, QRect geometry, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << visible;
        };
        row("Label1", {0, 1, 338, 21}, true);
        row("Label2", {0, 24, 326, 20}, true);  // the first round has placed the mask
        row("Image1", {11, 288, 58, 13}, false);
        row("Image2", {37, 100, 7, 190}, false);
        row("Image3", {43, 100, 104, 9}, false);
        row("Image4", {44, 109, 41, 41}, false);
        row("Image5", {126, 99, 11, 84}, false);
        row("Image6", {120, 160, 22, 27}, false);
        row("Image7", {119, 160, 23, 84}, false);
        row("Image8", {114, 160, 28, 126}, false);
        row("Image9", {131, 244, 16, 42}, false);
        row("Image10", {107, 160, 35, 76}, false);
        row("Image12", {254, 301, 68, 68}, true);
        row("Image13", {247, 300, 75, 107}, true);
        row("Image14", {254, 4, 68, 68}, false);
        row("Gauge1", {2, 399, 167, 19}, true);
        row("Label4", {112, 280, 20, 16}, false);
        row("Label5", {132, 280, 20, 16}, false);
        row("Label6", {96, 230, 20, 16}, false);
        row("Image15", {120, 160, 33, 76}, false);
        row("Label7", {141, 230, 20, 16}, false);
        row("Label8", {10, 187, 3, 16}, true);
        row("Gauge2", {171, 399, 166, 19}, true);
        row("Image11", {119, 160, 35, 76}, false);
        row("A", {0, 308, 31, 31}, true);
        row("C", {62, 308, 30, 31}, true);
        row("l", {62, 338, 30, 31}, true);
        row("Q", {246, 338, 31, 31}, true);
        row("ZW", {308, 367, 30, 31}, true);
        row("GroupBox1", {80, 18, 159, 74}, false);
        row("GroupBox2", {0, 500, 338, 396}, false);
        row("GroupBox3", {0, 500, 338, 307}, false);
    }
    void controlsStartWhereTheBoardPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        QWidget* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isVisible(), visible);
    }

    void windowStartsWithItsCaptionSizeAndFirstWord() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Dyxolana - Slova"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(338, 419));
        QVERIFY(!mask().isEmpty());
        QVERIFY(mask().contains(QLatin1Char('?')));
        QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("0"));
        QCOMPARE(child<GaugeBar>("Gauge1")->text(), QStringLiteral("0%"));
        QCOMPARE(m_window->centralWidget()->findChildren<QPushButton*>().size(), 36);
        QVERIFY(!m_window->windowIcon().isNull());
        // The tab order runs through the keys in their table order, Q last.
        QWidget* w = child<QPushButton>("A");
        QStringList order;
        for (int i = 0; i < 33; ++i, w = w->nextInFocusChain()) {
            order << w->objectName();
        }
        QCOMPARE(order.last(), QStringLiteral("Q"));
        QCOMPARE(order.mid(18, 3), (QStringList{"P", "R", "RW"}));
    }

    void menusCarryCaptionsShortcutsAndMarks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("checked");
        const auto row = [](const char* name, const char* caption, const char* shortcut, bool checked) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption)
                                << QString::fromLatin1(shortcut) << checked;
        };
        row("Odzatku1", "Znovu", "Ctrl+N", false);
        row("Vytvoitvlastn1", "Vytvořit vlastní", "", false);
        row("Zvuky1", "Zvuky", "Ctrl+S", true);
        row("Hudba1", "Hudba", "Ctrl+M", false);
        row("Konec1", "Konec", "Ctrl+X", false);
        row("Slova1", "Slova", "", true);
        row("Msta1", "Města", "", false);
        row("Jmna1", "Jména", "", false);
        row("Pota1", "Počítač", "", false);
        row("Pslov1", "Přísloví", "", false);
        row("Faunaaflra1", "Fauna a flóra", "", false);
        row("Vlastn1", "Vlastní", "", false);
        row("Obtnost1", "Pro neandrtálce", "", false);
        row("Prodti1", "Pro dítě", "", true);
        row("Prognie1", "Pro chytrého", "", false);
        row("Prolidskslovnk1", "Pro lidský slovník", "", false);
        row("Kolikslovbudehdat1", "Kolik slov budeš hádat?", "", false);
        row("Nvod1", "Návod", "Ctrl+H", false);
        row("About1", "About...", "Ctrl+A", false);
    }
    void menusCarryCaptionsShortcutsAndMarks() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, checked);
        QAction* item = m_window->findChild<QAction*>(name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut().toString(), shortcut);
        QCOMPARE(item->isChecked(), checked);
    }

    void menuBarHasFourMenusWithSeparators() {
        QStringList menus;
        for (QAction* menu : m_window->menuBar()->actions()) {
            menus << menu->text();
        }
        QCOMPARE(menus, (QStringList{"&Soubor", "&Co hádat", "&Obtížnost", "&Nápověda"}));
        for (const char* separator : {"N1", "N2", "N3", "N4", "N5"}) {
            QVERIFY2(action(separator)->isSeparator(), separator);
        }
    }

    void aWonWordShowsTheWarningAndCountsAfterIt() {
        playWords("PES\r\n");
        QCOMPARE(mask(), QStringLiteral("???"));
        QString gaugeAtMessage;
        m_answerer->onBox = [&](const BoxAnswerer::Box&) {
            gaugeAtMessage = child<GaugeBar>("Gauge2")->text();
            QCOMPARE(mask(), QStringLiteral("PES"));
        };
        clickKeys({"P", "E", "S"});
        QCOMPARE(m_answerer->boxes.size(), 1);
        const BoxAnswerer::Box box = m_answerer->boxes.first();
        QCOMPARE(box.caption, QStringLiteral("Warning"));
        QCOMPARE(box.text, QStringLiteral("Tentokrát se ti podařilo přežít, ale příště tě dostanu!"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QStringList{"OK"});
        QCOMPARE(gaugeAtMessage, QStringLiteral("0%"));
        QCOMPARE(child<GaugeBar>("Gauge1")->text(), QStringLiteral("10%"));
        QCOMPARE(child<GaugeBar>("Gauge2")->text(), QStringLiteral("10%"));
        QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("1"));
        QCOMPARE(mask(), QStringLiteral("???"));
        QVERIFY(child<QPushButton>("P")->isVisible());
    }

    void aLostWordShowsTheFigureAndTheSmokingSunBehindTheMessage() {
        action("Prolidskslovnk1")->trigger();
        playWords("KOLO\r\n");
        bool figureWide = false;
        bool smokingSun = false;
        m_answerer->onBox = [&](const BoxAnswerer::Box&) {
            figureWide = child("Image11")->isVisible() && child("Image11")->width() == 77;
            smokingSun = child("Image14")->isVisible();
            QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("1"));
        };
        clickKeys({"A", "B"});
        QCOMPARE(m_answerer->boxes.size(), 1);
        const BoxAnswerer::Box box = m_answerer->boxes.first();
        QCOMPARE(box.caption, MainWindow::applicationTitle());
        QCOMPARE(box.text, QStringLiteral("Cha chá! Neuhád! Mělo to znít takhle: KOLO"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(figureWide);
        QVERIFY(smokingSun);
        QVERIFY(!child("Image14")->isVisible());
        QVERIFY(!child("Image11")->isVisible());
        QCOMPARE(child("Image11")->width(), 35);
        QCOMPARE(child<GaugeBar>("Gauge1")->text(), QStringLiteral("0%"));
        QCOMPARE(child<GaugeBar>("Gauge2")->text(), QStringLiteral("10%"));
    }

    void aMissMovesTheSunAndShowsTheMound() {
        playWords("KOLO\r\n");
        clickKeys({"A"});
        QVERIFY(child("Image1")->isVisible());
        QCOMPARE(child("Image12")->y(), 273);
        QVERIFY(!child("A")->isVisible());
    }

    void theVerdictEndsTheSeries() {
        action("Kolikslovbudehdat1")->trigger();
        child<QSpinBox>("SpinEdit1")->setValue(1);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
        playWords("PES\r\n");
        clickKeys({"P", "E", "S"});
        QCOMPARE(m_answerer->texts(),
                 (QStringList{"Tentokrát se ti podařilo přežít, ale příště tě dostanu!",
                              "Vyhráls na 100%. A jedeme znovu."}));
        QCOMPARE(m_answerer->boxes.last().icon, QMessageBox::NoIcon);
        QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("0"));
        QCOMPARE(child<GaugeBar>("Gauge1")->text(), QStringLiteral("0%"));
    }

    void enterAfterAClickClicksTheFirstKeyStillShown() {
        playWords("KOLO\r\n");
        QTest::mouseClick(child<QPushButton>("B"), Qt::LeftButton);
        QCOMPARE(m_window->focusWidget(), nullptr);
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        QVERIFY(!child("A")->isVisible());
        QVERIFY2(child("Image2")->isVisible(), "A was a second miss");
        QTest::keyClick(m_window.get(), Qt::Key_Enter);
        QVERIFY(!child("C")->isVisible());
    }

    void typingALetterDoesNotPressItsKey() {
        playWords("KOLO\r\n");
        QTest::keyClick(m_window.get(), Qt::Key_K);
        QCOMPARE(mask(), QStringLiteral("????"));
        QVERIFY(child("K")->isVisible());
    }

    void arrowKeysMoveAmongTheKeysAndSpaceClicks() {
        playWords("KOLO\r\n");
        child("A")->setFocus();
        QTest::keyClick(child("A"), Qt::Key_Right);
        QCOMPARE(m_window->focusWidget(), child("B"));
        QTest::keyClick(child("B"), Qt::Key_Left);
        QTest::keyClick(child("A"), Qt::Key_Up);
        QCOMPARE(m_window->focusWidget(), child("Q"));  // the group wraps round
        QTest::keyClick(child("Q"), Qt::Key_Space);
        QVERIFY(!child("Q")->isVisible());
    }

    void messageBoxesAndDialogsDoNotStartARound() {
        playWords("KOLO\r\nPES\r\n");
        clickKeys({"K", "A"});
        const QString before = mask();
        action("About1")->trigger();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.first().caption, QStringLiteral("Information"));
        QCOMPARE(m_answerer->boxes.first().icon, QMessageBox::Information);
        QVERIFY(m_answerer->boxes.first().text.endsWith(QStringLiteral("     verse 0.3")));
        action("Vlastn1")->trigger();  // cancelled
        m_window->activateWindow();
        QCOMPARE(mask(), before);
        QVERIFY(child("Image1")->isVisible());
        QVERIFY(!child("K")->isVisible());
    }

    void boxesStandInTheMiddleOfTheScreen() {
        action("About1")->trigger();
        const QRect screen = m_window->screen()->availableGeometry();
        QVERIFY((m_answerer->boxes.first().geometry.center() - screen.center()).manhattanLength() <= 2);
    }

    void theLevelIsLockedFromTheFirstMiss() {
        playWords("KOLO\r\n");
        action("Prognie1")->trigger();
        QVERIFY(action("Prognie1")->isChecked());
        QVERIFY(!action("Prodti1")->isChecked());
        clickKeys({"A"});
        QVERIFY2(child("Image5")->isVisible(), "the whole frame at the hard level");
        action("Obtnost1")->trigger();
        QVERIFY(action("Prognie1")->isChecked());
        QVERIFY(!action("Obtnost1")->isChecked());
    }

    void categoriesNameThemselvesInTheCaption() {
        const QString before = mask();
        action("Msta1")->trigger();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Dyxolana - Města"));
        QVERIFY(action("Msta1")->isChecked());
        QVERIFY(!action("Slova1")->isChecked());
        QCOMPARE(mask(), before);
        action("Faunaaflra1")->trigger();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Dyxolana - Fauna a flóra"));
    }

    void theCustomListNamesItsFileAndAMissingFileIsReported() {
        const QString missing = m_dir.filePath(QStringLiteral("chybí.KIL"));
        m_answerer->dialogAnswers.push_back(choose(missing));
        action("Vlastn1")->trigger();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Dyxolana - ") + missing);
        QVERIFY(action("Vlastn1")->isChecked());
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.first().text, QStringLiteral("File not found."));
        QCOMPARE(m_answerer->boxes.first().icon, QMessageBox::Critical);
        QCOMPARE(m_answerer->boxes.first().caption, MainWindow::applicationTitle());
    }

    void wordCountPanelSetsBothGauges() {
        action("Kolikslovbudehdat1")->trigger();
        QVERIFY(child("GroupBox1")->isVisible());
        child<QSpinBox>("SpinEdit1")->setValue(3);
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
        QVERIFY(!child("GroupBox1")->isVisible());
        playWords("PES\r\n");
        clickKeys({"P", "E", "S"});
        QCOMPARE(child<GaugeBar>("Gauge1")->text(), QStringLiteral("33%"));
        QCOMPARE(child<GaugeBar>("Gauge2")->text(), QStringLiteral("33%"));
    }

    void soundsAndMusicSwitch() {
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!action("Zvuky1")->isChecked());
        m_trace.clear();
        QTest::keyClick(m_window.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(action("Hudba1")->isChecked());
        QCOMPARE(m_trace, (Trace{"music play"}));
    }

    void panelsOpenOverTheBoardAndTheKeysStillPlayUnderTheHelp() {
        playWords("KOLO\r\n");
        QTest::keyClick(m_window.get(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(child("GroupBox3")->geometry(), QRect(0, 0, 338, 307));
        QVERIFY(child("GroupBox3")->isVisible());
        QCOMPARE(child<QPlainTextEdit>("Memo2")->document()->blockCount(), 151);
        clickKeys({"K"});
        QCOMPARE(mask(), QStringLiteral("K???"));
        QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
        QVERIFY(!child("GroupBox3")->isVisible());
        action("Vytvoitvlastn1")->trigger();
        QCOMPARE(child("GroupBox2")->geometry(), QRect(0, 0, 338, 396));
        QTest::mouseClick(child<QPushButton>("Button2"), Qt::LeftButton);
        QVERIFY(!child("GroupBox2")->isVisible());
    }

    void editingKeysInTheEditorWinOverTheMenu() {
        action("Vytvoitvlastn1")->trigger();
        auto* memo = child<QPlainTextEdit>("Memo1");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("PES"));
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(m_window->isVisible());
        QCOMPARE(memo->toPlainText(), QString());
        QVERIFY(!action("About1")->isChecked());
        QCOMPARE(m_answerer->boxes.size(), 0);  // Ctrl+A did not open the about box
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(memo->document()->blockCount(), 2);  // Enter starts a new line
    }

    void theEditorSavesWhatThePlayerTypedForVlastni() {
        action("Vytvoitvlastn1")->trigger();
        auto* memo = child<QPlainTextEdit>("Memo1");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("PES"));
        QTest::keyClick(memo, Qt::Key_Return);
        memo->insertPlainText(QStringLiteral("KOČKA"));  // as pasted; the test keyboard types ASCII only
        const QString path = m_dir.filePath(QStringLiteral("zvirata.KIL"));
        m_answerer->dialogAnswers.push_back(choose(path));
        QTest::mouseClick(child("Image16"), Qt::LeftButton);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("PES\r\nKO\xC8KA"));
        QCOMPARE(child<QLineEdit>("Edit1")->text(), path);
        QCOMPARE(m_answerer->boxes.size(), 0);

        m_answerer->dialogAnswers.push_back(choose(path));
        action("Vlastn1")->trigger();
        QCOMPARE(m_window->game().customWords().count(), std::size_t{2});
        QCOMPARE(m_window->game().customWords().entry(1), std::string_view("KO\xC8KA"));
    }

    void theEditorOpensAFileAndSavesItBackWithCrLf() {
        const QString path = m_dir.filePath(QStringLiteral("unix.KIL"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PES\nKOCKA\n");
        file.close();
        action("Vytvoitvlastn1")->trigger();
        m_answerer->dialogAnswers.push_back(choose(path));
        QTest::mouseClick(child("Image17"), Qt::LeftButton);
        QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("PES\nKOCKA\n"));
        QCOMPARE(child<QLineEdit>("Edit1")->text(), path);
        m_answerer->dialogAnswers.push_back(choose(path));
        QTest::mouseClick(child("Image16"), Qt::LeftButton);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("PES\r\nKOCKA\r\n"));
    }

    void aSaveIntoAMissingFolderIsReportedAndKeepsThePath() {
        action("Vytvoitvlastn1")->trigger();
        child<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("PES"));
        const QString path = m_dir.filePath(QStringLiteral("chybi/slova.KIL"));
        m_answerer->dialogAnswers.push_back(choose(path));
        QTest::mouseClick(child("Image16"), Qt::LeftButton);
        QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("Cannot create file ") + path + "."});
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QString());
        QVERIFY(!QFile::exists(path));
    }

    void theChosenFontReachesTheManual() {
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPixelSize(19);
        chosen.setItalic(true);
        m_answerer->dialogAnswers.push_back([chosen](QDialog* dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(dialog);
            QVERIFY(fonts);
            fonts->setCurrentFont(chosen);
            fonts->accept();
        });
        action("Vytvoitvlastn1")->trigger();
        QTest::mouseClick(child("Image18"), Qt::LeftButton);
        QCOMPARE(child<QPlainTextEdit>("Memo1")->font().italic(), true);
        QCOMPARE(child<QPlainTextEdit>("Memo2")->font(), child<QPlainTextEdit>("Memo1")->font());
        QCOMPARE(child<QPlainTextEdit>("Memo2")->font().family(), chosen.family());
    }

    void screenReadersCanFollowARound() {
        playWords("KOLO\r\n");
        QCOMPARE(child("E")->accessibleName(), QStringLiteral("Písmeno E"));
        QCOMPARE(child("E")->accessibleDescription(), QStringLiteral("Hádá písmena E, Ě a É"));
        QCOMPARE(child("B")->accessibleDescription(), QStringLiteral("Hádá písmeno B"));
        QCOMPARE(child("Label2")->accessibleName(), QStringLiteral("Hledané slovo"));
        clickKeys({"K", "A"});
        QCOMPARE(child("Label2")->accessibleDescription(), QStringLiteral("Zbývá uhodnout 3 z 4 znaků"));
        QCOMPARE(m_window->centralWidget()->accessibleDescription(), QStringLiteral("Chyby: 1 z 11"));
        QAccessibleInterface* gauge = QAccessible::queryAccessibleInterface(child("Gauge2"));
        QVERIFY(gauge);
        QCOMPARE(gauge->role(), QAccessible::ProgressBar);
        QCOMPARE(gauge->text(QAccessible::Name), QStringLiteral("Odehraná slova"));
        QVERIFY(gauge->valueInterface());
        QCOMPARE(gauge->valueInterface()->maximumValue().toInt(), 10);
        QCOMPARE(gauge->text(QAccessible::Value), QStringLiteral("0%"));
    }

    void exitEndsTheProgram() {
        QTest::keyClick(m_window.get(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!m_window->isVisible());
    }

    void aStartUpFailureShowsApplicationErrorAndGivesOne() {
        BoxAnswerer& answerer = *m_answerer;
        answerer.boxes.clear();
        const int code = runGame([this] {
            auto effects = std::make_unique<FakePlayer>(m_trace, "effects");
            effects->missingFiles = {"DYXDYX.WAV"};
            return MediaPlayers{std::move(effects), std::make_unique<FakePlayer>(m_trace, "music")};
        });
        QCOMPARE(code, 1);
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().caption, QStringLiteral("Application Error"));
        QVERIFY(answerer.boxes.first().text.contains(QStringLiteral("The specified file was not found")));
    }

    // The real sound players, on SDL's silent output: the game cannot start without its
    // gallows sound and its music in the current folder.
    void aMissingStartUpSoundFileEndsTheProgramWithOne_data() {
        QTest::addColumn<QStringList>("present");
        QTest::newRow("no sounds") << QStringList{};
        QTest::newRow("no music") << QStringList{"DYXDYX.WAV"};
        QTest::newRow("no gallows sound") << QStringList{"DYXOLANA.MID"};
    }
    void aMissingStartUpSoundFileEndsTheProgramWithOne() {
        QFETCH(QStringList, present);
        QTemporaryDir folder;
        for (const QString& name : present) {
            QVERIFY(QFile::copy(QStringLiteral(DYX_SOUNDS_DIR "/") + name, folder.filePath(name)));
        }
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        m_answerer->boxes.clear();
        int code = 0;
        {
            AudioSystem audio;
            code = runGame([&audio] {
                return MediaPlayers{std::make_unique<SdlMediaPlayer>(audio),
                                    std::make_unique<SdlMediaPlayer>(audio)};
            });
        }
        QDir::setCurrent(before);
        QCOMPARE(code, 1);
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.first().caption, QStringLiteral("Application Error"));
    }

    void applicationTitleFollowsTheProgramName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/usr/games/Dyxolana" << "Dyxolana";
        QTest::newRow("capitals") << "/x/DYXOLANA.EXE" << "Dyxolana";
        QTest::newRow("lower") << "dyxolana" << "dyxolana";
        QTest::newRow("dots") << "/a.b/HRA.v2.bin" << "Hra";
    }
    void applicationTitleFollowsTheProgramName() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(applicationTitleFor(path), title);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

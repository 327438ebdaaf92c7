#pragma once
// Form1, the game's one window. It lays out every control as the game's board needs it, runs the
// rules of game/ for every click and menu command, and draws the rules' state after each of them.
// Every handler runs behind the error boundary: an escaped error is shown in the error box and
// the game goes on.

#include <QFileDialog>
#include <QMainWindow>
#include <array>
#include <memory>

#include "game/game.h"
#include "game/letterkeys.h"

class QAction;
class QFontDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace dyx {

class GaugeBar;
class Picture;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window with all its controls in their start state; the two media players open
    // their start-up files from the current directory. Throws MediaError when either cannot be
    // opened: the game cannot start without them.
    MainWindow(std::unique_ptr<MediaPlayer> effects, std::unique_ptr<MediaPlayer> music,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const Game& game() const { return m_game; }

    // Draws the game's state into the widgets. Runs after every handler and before every modal
    // box, so that a box is shown over the board as it stands.
    void render();

    // The application title that captions the custom and error boxes.
    static QString applicationTitle();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class WindowPrompter;

    void buildBoard(QWidget* area);
    void buildPanels(QWidget* area);
    void buildMenus();
    // Runs a handler behind the error boundary, then draws the state.
    template <typename Handler>
    void handle(Handler&& handler);
    void clickDefaultButton();
    QFileDialog* fileDialog(QFileDialog*& slot, const char* name, QFileDialog::AcceptMode mode,
                            bool allFiles);
    QFileDialog* wordListDialog();
    QFileDialog* editorOpenDialog();
    QFileDialog* editorSaveDialog();
    QFontDialog* fontDialog();
    bool moveFocusWithinGroup(QWidget* from, bool forward);

    // Panel handlers that have no game rules behind them.
    void Vytvoitvlastn1Click();
    void Button2Click();
    void Nvod1Click();
    void Button3Click();
    void About1Click();
    // The editor's icons: open a file into the editor, choose its font, save it.
    void Panel1Click();
    void Panel2Click();
    void Panel3Click();

    std::unique_ptr<MediaPlayer> m_effects;  // MediaPlayer1
    std::unique_ptr<MediaPlayer> m_music;    // MediaPlayer2
    SystemClock m_clock;
    DefaultRandom m_random;
    std::unique_ptr<WindowPrompter> m_prompter;
    Game m_game;
    bool m_activated = false;

    std::array<QWidget*, kPieceCount> m_pieces{};
    Picture* m_background = nullptr;  // IMAGE0
    Picture* m_sun = nullptr;      // Image12
    Picture* m_figure = nullptr;   // Image11
    QLabel* m_mask = nullptr;      // Label2
    QLabel* m_counter = nullptr;   // Label3
    GaugeBar* m_guessed = nullptr; // Gauge1
    GaugeBar* m_played = nullptr;  // Gauge2
    std::array<QPushButton*, kLetterKeyCount> m_keys{};
    QGroupBox* m_wordCountPanel = nullptr;  // GroupBox1
    QSpinBox* m_seriesSetting = nullptr;    // SpinEdit1
    QPushButton* m_wordCountOk = nullptr;   // Button1
    QGroupBox* m_editorPanel = nullptr;     // GroupBox2
    QPlainTextEdit* m_editorText = nullptr; // Memo1
    QLineEdit* m_editorPath = nullptr;      // Edit1
    QPushButton* m_editorDone = nullptr;    // Button2
    QGroupBox* m_helpPanel = nullptr;       // GroupBox3
    QPlainTextEdit* m_helpText = nullptr;   // Memo2
    QPushButton* m_helpOk = nullptr;        // Button3
    QFileDialog* m_wordListDialog = nullptr;    // OpenDialog1
    QFileDialog* m_editorOpenDialog = nullptr;  // OpenDialog2
    QFileDialog* m_editorSaveDialog = nullptr;  // SaveDialog1
    QFontDialog* m_fontDialog = nullptr;        // FontDialog1

    std::array<QAction*, 7> m_categoryActions{};
    std::array<QAction*, 4> m_levelActions{};
    QAction* m_soundsAction = nullptr;
    QAction* m_musicAction = nullptr;
};

}  // namespace dyx

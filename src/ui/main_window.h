// MainWindow: the main window. It owns the one DrawModel and the bet list (Memo1);
// the controls keep their names as members and object names. The handlers of
// each feature live in their own main_window_*.cpp file; each feature adds its
// members in its own marked section below.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"
#include "core/forming/autoform.h"
#include "core/forming/brief_system.h"
#include "core/forming/templates.h"
#include "io/draw_download.h"
#include "io/servers.h"
#endif

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace kav::ui {

class DrawDownloader;
class LinkLabel;
class MoneyEdit;
class OutcomeGrid;
class NearestSystemsWindow;
class CoverageMapWindow;
class VariantAnalysisWindow;
class HelpWindow;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The side windows, created by the program's entry in this order.
    void setSideWindows(NearestSystemsWindow* form3, CoverageMapWindow* form4,
                        VariantAnalysisWindow* form5, HelpWindow* form6);
    NearestSystemsWindow* form3() const { return form3_; }
    CoverageMapWindow* form4() const { return form4_; }
    VariantAnalysisWindow* form5() const { return form5_; }
    HelpWindow* form6() const { return form6_; }

    kav::DrawModel& model() { return model_; }
    const kav::DrawModel& model() const { return model_; }
    // The program's one random generator, seeded from the clock when the window is
    // first shown.
    kav::Rng& rng() { return rng_; }

    // The packet mode: ComboBox1's item index (0 brief systems .. 3 auto-forming).
    int mode() const;
    // The stake per bet as bet lines need it ("20", "20.5"); empty while the stake
    // field holds no valid amount, in which case an action needing it must refuse.
    std::string stakeText() const;
    // The category field of the current mode: RxSpinEdit6 in auto-forming,
    // otherwise RxSpinEdit8.
    QSpinBox* categorySpin() const;
    // Stake field minimum, value and currency for a draw country.
    void setStakeForCountry(std::uint8_t drawCountry);

    // --- bet list ---
    // The memo's lines (a final line break adds no empty line).
    kav::Lines betLines() const;
    // Appends lines at the end of the memo with the list visible, parsing only the
    // new lines: the result equals a full parse of the whole text. The text reaches
    // Memo1 when the event loop next runs or anything reads it through betLines();
    // code that reads Memo1 itself calls flushPendingLines() first.
    void appendBetLines(const kav::Lines& lines);
    void flushPendingLines();
    // Rewrites the whole memo as one bulk change and parses once.
    void setBetLinesBulk(const kav::Lines& lines);
    // The memo's change handling: parse, status line, coverage recount. Does
    // nothing while a bulk rewrite is in progress.
    void parseBetList();
    // Empties the memo and the derived data and the status line (no parse).
    void clearBetList();

    // --- outcome grid ---
    // Writes the text of one outcome cell from the model (0-based indices).
    void showOutcomeCell(int event0, int outcome0);
    // Titles and all outcome cells from the model.
    void showDraw();
    // "Сбросить исходы": clears the marks, rewrites the cells, empties Label2/Label3.
    void Label10Click();
    void repaintGrid();

    // Handlers of this window's own controls.
    void ComboBox1Change();
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1SetEditText(int col, int row, const QString& text);
    void RadioButton1Click();
    void RadioButton2Click();
    void RxSpinEdit8Change();
    void CheckBox1Click();
    void Edit1Change();
    void ComboBox2Change();
    void Timer1Timer();
    // "Скопировать для переноса": the whole memo to the clipboard.
    void MN4Click();
    // "Изъять варианты из списка".
    void N27Click();
    // "Очистить список ставок".
    void MN6Click();

    // Controls, named as the window's design names them.
    QFrame* Panel1 = nullptr;
    LinkLabel* Label10 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QFrame* Panel3 = nullptr;
    LinkLabel* Label13 = nullptr;
    QSpinBox* RxSpinEdit8 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QFrame* Panel4 = nullptr;
    LinkLabel* Label14 = nullptr;
    QSpinBox* RxSpinEdit1 = nullptr;
    QSpinBox* RxSpinEdit2 = nullptr;
    QSpinBox* RxSpinEdit3 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QFrame* Panel5 = nullptr;
    LinkLabel* Label16 = nullptr;
    LinkLabel* Label11 = nullptr;
    QSpinBox* RxSpinEdit5 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QSpinBox* RxSpinEdit4 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Panel7 = nullptr;
    LinkLabel* Label12_ = nullptr;
    QSpinBox* RxSpinEdit6 = nullptr;
    QSpinBox* RxSpinEdit7 = nullptr;
    QDoubleSpinBox* RxSpinEdit9 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QFrame* Panel6 = nullptr;
    MoneyEdit* Edit1 = nullptr;
    OutcomeGrid* StringGrid1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QTimer* Timer1 = nullptr;

    // Main menu (MainMenu1).
    QMenu* N1 = nullptr;
    QAction* MN2 = nullptr;
    QAction* MN8 = nullptr;
    QMenu* MN3 = nullptr;
    QAction* MN4 = nullptr;
    QAction* MN5 = nullptr;
    QAction* MN28 = nullptr;
    QAction* N25 = nullptr;
    QAction* N27 = nullptr;
    QAction* MN6 = nullptr;
    QAction* N2c = nullptr;
    QAction* N3c = nullptr;
    QMenu* MN7 = nullptr;
    QAction* MN10 = nullptr;
    QAction* MN12 = nullptr;
    QAction* mN22 = nullptr;

    // --- manual and random selection (main_window_forming.cpp) ---
    void Label16Click();
    void Label11Click();
    void Label14Click();

    // --- brief systems and selection summary (main_window_brief.cpp) ---
    void Label13Click();
    void updateSelectionSummary();
    // Runs once when the window is first shown, before the first draw.
    void indexTemplates();
    // The template folder: "Kombin" beside the program, else in the working
    // folder. The index is built from it when the window is first shown.
    void setTemplateFolder(const std::filesystem::path& folder) { templateFolder_ = folder; }
    const std::filesystem::path& templateFolder() const { return templateFolder_; }
    const kav::TemplateIndex& templateIndex() const { return templateIndex_; }

    // --- a missing brief system computed on request (main_window_kombin.cpp) ---
    // "Рассчитать систему" of the nearest-systems window: the generator runs on
    // a worker thread behind a progress box with "Отмена"; the checked system is
    // saved into the template folder, the index refreshed, the summary redone.
    void computeBriefSystem();
    bool systemComputing() const { return kombinRun_ != nullptr; }
    void cancelSystemComputing();

    // --- auto-forming (main_window_autoform.cpp) ---
    void Label12_Click();
    // True while a search runs; Esc or the progress box's "Отмена" stops it.
    bool autoformRunning() const;
    void cancelAutoform();

    // --- draw data, quotes file and export (main_window_draw.cpp) ---
    // Where draws and updates come from; the program's entry sets them before
    // the window is created, since the update check runs during its creation.
    static void setServers(const kav::io::ServerSettings& servers);
    static const kav::io::ServerSettings& servers();
    void Label8Click();
    void Label9Click();
    void MN2Click();
    void MN8Click();
    void N2cClick();
    void N3cClick();
    void Label12Click();
    void MN28Click();
    void N25Click();
    void mN22Click();
    void FormClose();
    // The update check of the window's creation; may end the program.
    void checkForUpdate();
    // Request the event-list and the totals page of the current draw.
    void get_eventsi();
    void get_totalsi();
    // A page has arrived (or failed): parse it by pageKind and finish the step.
    void WebBrowser1DocumentComplete(const kav::io::PageDownload& page);
    // 0 before the first request, 1 event list, 2 totals.
    int pageKind() const { return pageKind_; }
    // True while a draw page is on its way.
    bool drawLoading() const;
    // Row title of an event in the coverage map and the analysis window: the
    // home team of a loaded title, the whole title of the default draw.
    QString eventRowTitle(int event0) const { return rowTitles_[event0]; }

    // --- coverage map (main_window_coverage.cpp) ---
    void MN10Click();
    // Called after every successful bet-list parse.
    void recountCoverage();
    // F11.
    void repaintCoverageMap();
    void RxSpinEdit6Change();

    // --- variant analysis (main_window_analysis.cpp) ---
    // Shows the analysis window with the bet pre-selected from the marks, or hides it.
    void MN12Click();
    // The menu item's caption follows the window.
    void connectVariantAnalysis();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void createControls();
    void createMenu();
    void connectControls();
    void FormShow();
    // True when a clipboard key pressed in `watched` belongs to that text field
    // (it has a selection to copy or cut), not to the bet-list commands.
    bool textFieldOwnsKey(QObject* watched, const QKeyEvent* e) const;
    void applyParse(const std::optional<kav::BetListParse>& parse);
    int memoLineCount() const;
    void insertAtEnd(const QString& text);

    // Auto-forming in progress (main_window_autoform.cpp).
    struct AutoformRun;
    std::shared_ptr<AutoformRun> autoformRun_;
    void showAutoformProgress(const kav::AutoformProgress& p);
    void finishAutoform();
    // Input to this window while a search runs: Esc stops it, the rest is dropped.
    bool autoformFiltersInput(QObject* watched, QEvent* e);

    // A brief system being computed (main_window_kombin.cpp).
    struct KombinRun;
    std::shared_ptr<KombinRun> kombinRun_;
    void finishSystemComputing();

    kav::DrawModel model_;
    kav::Rng rng_;
    std::filesystem::path templateFolder_;
    kav::TemplateIndex templateIndex_;
    kav::BriefState briefState_;
    NearestSystemsWindow* form3_ = nullptr;
    CoverageMapWindow* form4_ = nullptr;
    VariantAnalysisWindow* form5_ = nullptr;
    HelpWindow* form6_ = nullptr;
    bool shown_ = false;
    // Draw loading (main_window_draw.cpp).
    void setRowTitle(int event0, const QString& title);
    void setHomeRowTitles(int events);
    void setDefaultRowTitles();
    void switchCountry(std::uint8_t drawCountry);
    void requestPage(int kind, const std::string& url);
    void saveWorkbook(bool byColumns);
    int pageKind_ = 0;
    DrawDownloader* downloader_ = nullptr;
    std::array<QString, kav::kEvents> rowTitles_{};
    // While set, memo changes are not parsed (bulk rewrite or incremental append).
    bool bulk_ = false;
    // The derived data matches the memo text line for line (the last parse succeeded).
    bool parsedInSync_ = true;
    // Appended lines not yet written into Memo1 (already parsed), with their breaks.
    std::string pendingText_;
    int pendingLines_ = 0;
    QTimer* flushTimer_ = nullptr;
};

} // namespace kav::ui

#include "ui/forming/brief_systems.h"

#include "core/forming/selection_summary.h"
#include "core/kombin/compute.h"
#include "ui/common/data_places.h"
#include "ui/common/job_report.h"
#include "ui/common/job_runner.h"
#include "ui/common/session.h"
#include "ui/forming/brief_system_panel.h"
#include "ui/forming/mode_bar.h"
#include "ui/forming/nearest_systems_window.h"
#include "ui/forming/sensation_panel.h"
#include "ui/widgets/message_box.h"

#include <QLabel>

#include <algorithm>

namespace kav::ui {

BriefSystems::BriefSystems(Session& session, ModeBar& modeBar, JobRunner& jobs,
                           QLabel& couponSummary, QLabel& systemSummary, QWidget* window)
    : QObject(window), session_(session), modeBar_(modeBar), jobs_(jobs),
      couponSummary_(couponSummary), systemSummary_(systemSummary), window_(window) {
    connectParts();
}

void BriefSystems::connectParts() {
    BriefSystemPanel& panel = modeBar_.briefPanel();
    connect(&panel, &BriefSystemPanel::addRequested, this, [this] { addBriefSystem(); });
    const auto onSummaryInput = [this] {
        updateSelectionSummary();
        modeBar_.briefPanel().colourCategory();
    };
    connect(&panel, &BriefSystemPanel::categoryChanged, this, onSummaryInput);
    connect(&modeBar_.sensationPanel(), &SensationPanel::boundsChanged, this, onSummaryInput);
    connect(&modeBar_, &ModeBar::modeChanged, this,
            [this](kav::PacketMode m) { onModeChanged(m); });
    connect(&session_, &Session::marksChanged, this, [this] { updateSelectionSummary(); });
    // A stake that is no amount leaves the last summary standing.
    connect(&session_, &Session::stakeTextChanged, this, [this] {
        if (!session_.stakeText().empty())
            updateSelectionSummary();
    });
    connect(&session_, &Session::drawReplaced, this, [this] {
        couponSummary_.clear();
        systemSummary_.clear();
        updateSelectionSummary();
    });
    connect(&jobs_, &JobRunner::finished, this, [this] { computing_ = false; });
}

void BriefSystems::setNearestSystemsWindow(NearestSystemsWindow* window) {
    nearestSystems_ = window;
    if (nearestSystems_)
        connect(nearestSystems_, &NearestSystemsWindow::computeRequested, this,
                &BriefSystems::computeBriefSystem);
}

void BriefSystems::onModeChanged(kav::PacketMode mode) {
    if (nearestSystems_)
        nearestSystems_->hide();
    const bool brief = mode == kav::PacketMode::BriefSystems;
    systemSummary_.setVisible(brief);
    if (brief)
        updateSelectionSummary();
}

void BriefSystems::indexTemplates() {
    if (templateFolder_.empty())
        templateFolder_ = shippedTemplateFolder();
    kav::TemplateIndexResult r = kav::indexTemplates(templateFolder_, ownTemplateFolder_);
    templateIndex_ = std::move(r.index);
    if (r.message)
        showMessage(window_, *r.message);
}

// The nearest-systems window changes in place while it has something to show:
// closing and opening it again on every click would bring it up over the
// other windows each time.
void BriefSystems::updateSelectionSummary() {
    kav::DrawModel& model = session_.draw();
    const kav::SelectionSummary s = kav::updateSelectionSummary(
        {model, session_.stakeText(), modeBar_.briefPanel().category(), modeBar_.mode(),
         templateFolder_, templateIndex_, ownTemplateFolder_});
    kav::storeSummaryCounts(model, s);
    if (s.markedVariantsLine)
        couponSummary_.setText(coreText(*s.markedVariantsLine));
    if (s.systemVariantsLine)
        systemSummary_.setText(coreText(*s.systemVariantsLine));
    if (!nearestSystems_)
        return;
    if (s.nearest)
        nearestSystems_->showNearestSystems(*s.nearest, s.computable,
                                            s.computeNote ? coreText(*s.computeNote) : QString());
    else
        nearestSystems_->hide();
}

void BriefSystems::addBriefSystem() {
    const BriefSystemPanel& panel = modeBar_.briefPanel();
    kav::BriefResult r = kav::expandBriefSystem(
        {session_.draw(), session_.stakeText(), panel.category(), panel.startsWithForcedBet(),
         templateFolder_, session_.betLines(), ownTemplateFolder_},
        session_.rng(), briefState_);
    if (r.message) {
        showMessage(window_, *r.message);
        return;
    }
    if (!confirmLargeAppend(window_, session_, tr("Бриф-системы"),
                            tr("Будет добавлено %1 вариантов на %2 Добавить их все в список?"),
                            tallyLines(r.appended)))
        return;
    const ListChange change(session_);
    // Only the new lines are parsed, which gives what one parse of the whole
    // list gives.
    session_.appendBets(r.appended);
    showStatus(window_, tr("Бриф-система: %1").arg(change.change()));
}

bool BriefSystems::systemComputing() const {
    return computing_ && jobs_.running();
}

void BriefSystems::cancelSystemComputing() {
    if (systemComputing())
        jobs_.cancel();
}

void BriefSystems::computeBriefSystem() {
    if (jobs_.running() || !nearestSystems_ || !nearestSystems_->computableKey())
        return;
    const kav::kombin::Key key = *nearestSystems_->computableKey();
    const QString name = QStringLiteral("%1-%2-%3").arg(key.doubles).arg(key.triples).arg(key.hits);

    JobOptions options;
    options.title = tr("Расчёт системы");
    options.label = tr("Система %1: поиск…").arg(name);
    // Every window waits: the selection must not change under the search.
    options.modality = Qt::ApplicationModal;
    options.minimumDurationMs = 300;
    options.progressIntervalMs = 50;
    // A computed system goes into the player's own folder when there is one:
    // the shipped templates may lie where he cannot write.
    std::string folder = templateFolder_.string();
    std::vector<std::string> moreFolders;
    if (!ownTemplateFolder_.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(ownTemplateFolder_, ec);
        moreFolders.push_back(folder);
        folder = ownTemplateFolder_.string();
    }
    auto work = [key, folder, moreFolders, name](JobControl& job) {
        kav::kombin::ComputeRequest request;
        request.key = key;
        request.folder = folder;
        request.moreFolders = moreFolders;
        request.cancel = job.cancelFlag();
        request.progress = [&job, name](const kav::kombin::SearchProgress& p) {
            // The box reaches 100 only by closing.
            job.progress(std::clamp(static_cast<int>(p.done * 100), 0, 99),
                         p.bestRows > 0 ? tr("Система %1, ставок: %2").arg(name).arg(p.bestRows)
                                        : QString());
        };
        return kav::kombin::computeSystem(request);
    };
    auto done = [this, key](const kav::kombin::ComputeResult& res) {
        if (res.cancelled)
            return;
        if (!res.error.empty()) {
            // A search that found only too large a system finds no smaller one
            // when asked again: the key is not offered again in this session.
            const bool tooLarge = !res.path && res.rows > kav::kombin::kMaxComputedRows;
            if (tooLarge && nearestSystems_)
                nearestSystems_->rememberTooLarge(key);
            showMessage(window_, kav::Message{res.error});
            if (tooLarge)
                updateSelectionSummary();
            return;
        }
        // The new file joins the index as if it had been there at start.
        indexTemplates();
        updateSelectionSummary();
    };
    computing_ = jobs_.run(options, std::move(work), std::move(done));
}

} // namespace kav::ui

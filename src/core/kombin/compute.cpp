#include "core/kombin/compute.h"

#include "core/kombin/file.h"
#include "core/kombin/generate.h"

#include <algorithm>
#include <exception>

namespace kav::kombin {

Key selectionKey(int doubles, int triples, int category) {
    const int singles = kMaxPositions - doubles - triples;
    return Key{doubles, triples, std::max(0, category - singles)};
}

bool canComputeSystem(const Key& key) {
    return key.valid() && key.positions() >= 1 && key.hits >= 1 &&
           sphereBound(key) <= kMaxComputedRows;
}

SystemOffer systemOffer(const Key& key, Library* known) {
    if (!key.valid() || key.positions() < 1 || key.hits < 1)
        return SystemOffer::NotAKey;
    if (sphereBound(key) > kMaxComputedRows)
        return SystemOffer::OverLimit;
    // The planner takes a stored system of the key itself when there is one.
    if (constructionSize(key, known) > kMaxComputedRows)
        return SystemOffer::NoneKnown;
    return SystemOffer::Offered;
}

std::string systemOfferNote(const Key& key, SystemOffer offer) {
    const std::string name = std::to_string(key.doubles) + "-" + std::to_string(key.triples) + "-" +
                             std::to_string(key.hits);
    const std::string limit = std::to_string(kMaxComputedRows);
    switch (offer) {
    case SystemOffer::OverLimit:
        return "Система " + name + " не рассчитывается: в любой такой системе больше " + limit +
               " ставок.";
    case SystemOffer::NoneKnown:
        return "Система " + name +
               " не рассчитывается: неизвестно ни одной такой системы не "
               "более чем из " +
               limit + " ставок.";
    case SystemOffer::Offered:
    case SystemOffer::NotAKey:
        break;
    }
    return {};
}

double computeBudgetSeconds(const Key& key) {
    const std::uint64_t results = key.results();
    if (results <= 1000)
        return 2;
    if (results <= 60000)
        return 6;
    return 15;
}

ComputeResult computeSystem(const ComputeRequest& request) {
    ComputeResult out;
    const Key& key = request.key;
    if (!canComputeSystem(key)) {
        out.error = "Для этой выборки нет системы не более чем из " +
                    std::to_string(kMaxComputedRows) + " ставок.";
        return out;
    }
    try {
        FolderLibrary library(request.folder);
        for (const auto& more : request.moreFolders)
            library.addFolder(more);
        if (systemOffer(key, &library) != SystemOffer::Offered) {
            out.error = "Для этой выборки неизвестно системы не более чем из " +
                        std::to_string(kMaxComputedRows) + " ставок.";
            return out;
        }
        GenerateOptions options;
        options.library = &library;
        options.search.seed = request.seed;
        options.search.seconds = request.seconds > 0 ? request.seconds : computeBudgetSeconds(key);
        options.search.patience =
            request.patience > 0 ? request.patience : std::max(1.0, options.search.seconds / 5);
        options.search.cancel = request.cancel;
        options.search.progress = request.progress;
        GenerateResult made = generateSystem(key, options);
        out.rows = made.code.rows.size();
        if (request.cancel && request.cancel->load()) {
            out.cancelled = true;
            return out;
        }
        if (!made.holds) {
            out.error = "Рассчитанная система не прошла проверку и не сохранена.";
            return out;
        }
        if (out.rows > kMaxComputedRows) {
            out.error = "Найдена система только из " + std::to_string(out.rows) +
                        " ставок, больше " + std::to_string(kMaxComputedRows) +
                        "; она не сохранена.";
            return out;
        }
        std::string why;
        out.path = saveTemplate(request.folder, made.code, key.hits, why);
        if (!out.path)
            out.error = "Не удалось записать систему в папку " + request.folder + ".";
    } catch (const std::exception& e) {
        // Out of memory in the search, or a folder that cannot be listed.
        out.path.reset();
        out.error = std::string("Не удалось рассчитать систему: ") + e.what();
    }
    return out;
}

} // namespace kav::kombin

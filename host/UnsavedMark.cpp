#include "UnsavedMark.h"

#include "EditorSetup.h"
#include "InstanceBoards.h"

#include <QCoreApplication>

#include <cstring>
#include <exception>

namespace lmhost {
namespace {

// Often enough to look immediate. A comparison while nothing changed is one
// copy and compare of the layer records; only a change is formatted.
constexpr int kCompareIntervalMs = 250;

bool sameLayers(const std::vector<BoardStackup>& a, const std::vector<BoardStackup>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::vector<LMLAYEREX>& x = a[i].layers;
        const std::vector<LMLAYEREX>& y = b[i].layers;
        if (x.size() != y.size() || (!x.empty() && std::memcmp(x.data(), y.data(), x.size() * sizeof(LMLAYEREX)) != 0))
            return false;
    }
    return true;
}

} // namespace

UnsavedMark::UnsavedMark(LMHANDLE instance, const StackupDocument& read)
    : instance_(instance), read_(read), file_(read.file)
{
    lastSeen_ = boardsOfInstance(instance_, read_.boards);
    fileText_ = textOf(lastSeen_);
    timer_.setInterval(kCompareIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        try {
            refresh();
        } catch (const std::exception&) {
            // a board gone from the instance: nothing to compare until the run ends
        }
    });
}

std::string UnsavedMark::textOf(const std::vector<BoardStackup>& boards) const
{
    try {
        return formatStackup(boards, file_.string());
    } catch (const std::exception&) {
        return {}; // boards no file can hold differ from every file
    }
}

void UnsavedMark::saved(const std::filesystem::path& file)
{
    file_ = file;
    lastSeen_ = boardsOfInstance(instance_, read_.boards);
    fileText_ = textOf(lastSeen_);
    unsaved_ = false;
    lmSetTitle(instance_, editorTitle(file_, false).c_str());
}

void UnsavedMark::refresh()
{
    std::vector<BoardStackup> boards = boardsOfInstance(instance_, read_.boards);
    if (sameLayers(boards, lastSeen_)) return;
    const std::string now = textOf(boards);
    lastSeen_ = std::move(boards);
    const bool unsaved = now.empty() || now != fileText_;
    if (unsaved == unsaved_) return;
    unsaved_ = unsaved;
    lmSetTitle(instance_, editorTitle(file_, unsaved_).c_str());
}

void UnsavedMark::watch()
{
    if (QCoreApplication::instance() && !timer_.isActive()) timer_.start();
}

} // namespace lmhost

#include "formhost/win32/sound/player_list.h"

#include <algorithm>

#include "formhost/win32/system/owners.h"

namespace formhost::win32::sound {
namespace player_list {
namespace {

struct List {
    SRWLOCK lock = SRWLOCK_INIT;
    std::vector<std::shared_ptr<WavePlayer>> players;
};

// Never destroyed: a worker may still leave the list while static objects
// are torn down at process exit.
List& list() {
    static List* const instance = new List;
    return *instance;
}

}  // namespace

void add(std::shared_ptr<WavePlayer> player) {
    List& l = list();
    const ExclusiveLock guard(l.lock);
    l.players.push_back(std::move(player));
}

void remove(const WavePlayer* player) {
    std::shared_ptr<WavePlayer> leaving;  // released after the lock
    List& l = list();
    const ExclusiveLock guard(l.lock);
    const auto it = std::find_if(l.players.begin(), l.players.end(), [&](const auto& p) { return p.get() == player; });
    if (it == l.players.end()) return;
    leaving = std::move(*it);
    l.players.erase(it);
}

std::vector<std::shared_ptr<WavePlayer>> snapshot() {
    List& l = list();
    const SharedLock guard(l.lock);
    return l.players;
}

}  // namespace player_list
}  // namespace formhost::win32::sound

#pragma once
// The program's playing wave players under one lock. A player is listed from
// its start until its worker shuts it down, and the list's reference keeps it
// alive meanwhile; whoever wants to signal players takes a snapshot, so no
// player's work ever runs under the lock.

#include <memory>
#include <vector>

namespace formhost::win32::sound {

class WavePlayer;

namespace player_list {

void add(std::shared_ptr<WavePlayer> player);
void remove(const WavePlayer* player);
std::vector<std::shared_ptr<WavePlayer>> snapshot();

}  // namespace player_list
}  // namespace formhost::win32::sound

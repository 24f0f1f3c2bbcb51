#pragma once

#include <functional>

// The short alert sound that acknowledges a choice (a new selection on the star
// map). It is the platform's beep; a test can put an observer in its place to count
// the sounds without hearing them.
namespace SystemSound {

void play();
// Puts `player` in the beep's place (an empty function restores the beep) and gives
// back what was there.
std::function<void()> setPlayer(std::function<void()> player);

} // namespace SystemSound

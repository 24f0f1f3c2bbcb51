#include "SystemSound.h"

#include <QApplication>

namespace SystemSound {

namespace {

std::function<void()> &player()
{
    static std::function<void()> current;
    return current;
}

} // namespace

void play()
{
    if (player())
        player()();
    else
        QApplication::beep();
}

std::function<void()> setPlayer(std::function<void()> replacement)
{
    return std::exchange(player(), std::move(replacement));
}

} // namespace SystemSound

#pragma once

// Window layouts are drawn up in twips, 15 to a logical pixel; Qt scales logical pixels for high-DPI screens.
constexpr int Twips(int twips)
{
    return twips / 15;
}

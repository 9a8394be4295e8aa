#include "WaitDots.h"

std::string WaitTextWithDots(const std::string& text, int& counter) {
    if (counter > 3) {
        counter = 0;
    }
    const int dots = counter < 3 ? counter + 1 : 0;
    ++counter;
    return text + std::string(static_cast<std::size_t>(dots), '.');
}

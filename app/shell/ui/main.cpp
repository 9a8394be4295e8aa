#include <chrono>

#include "CutrixApp.h"

int main(int argc, char** argv) {
    CCutrixApp app(std::chrono::steady_clock::now());
    return app.Run(argc, argv);
}

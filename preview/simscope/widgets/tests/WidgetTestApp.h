// The one application object of a window test process. It is destroyed when the tests end, before the
// exit handlers run: destroyed among them, after Qt's own statics, it crashes once a modal loop has run.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

class TestApplicationEnvironment : public ::testing::Environment {
  public:
    static QApplication& Instance() {
        static TestApplicationEnvironment* environment = [] {
            auto* created = new TestApplicationEnvironment;
            ::testing::AddGlobalTestEnvironment(created);
            return created;
        }();
        return *environment->application_;
    }

    void TearDown() override { application_.reset(); }

  private:
    TestApplicationEnvironment() {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }

    std::unique_ptr<QApplication> application_;
};

inline QApplication& TestApplication() {
    return TestApplicationEnvironment::Instance();
}

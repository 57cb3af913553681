#include "application_essai.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

namespace {

class Environnement_Qt : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Nothing a test does may reach the user's own settings.
        qputenv("XDG_CONFIG_HOME", configuration_.path().toLocal8Bit());
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    QTemporaryDir configuration_;
    int argc_ = 1;
    char nom_[10] = "tests_app";
    char* argv_[2] = {nom_, nullptr};
    std::unique_ptr<QApplication> application_;
};

// Registered before main runs the tests; gtest owns and deletes it.
[[maybe_unused]] ::testing::Environment* const environnement =
    ::testing::AddGlobalTestEnvironment(new Environnement_Qt);

}  // namespace

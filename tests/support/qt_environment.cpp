#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One QApplication for every test of the executable, on the platform the
// test environment names (offscreen).
class CQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const g_pQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtEnvironment);

} // namespace

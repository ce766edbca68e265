#include "tests/support/temp_folder.h"

#include <cstdlib>

CTempFolder::CTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorlan-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
}

CTempFolder::~CTempFolder() {
    // A test may have taken the owner's rights away to provoke a failure.
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

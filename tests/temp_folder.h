#pragma once
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorlan-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

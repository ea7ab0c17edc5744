#include "QuotesTestSupport.h"
#include "quotes/QuoteFileLocation.h"
#include <filesystem>

namespace fs = std::filesystem;

// Links inside the data folder are followed before the path is judged, so a link that leads
// elsewhere makes the path outside, whatever its text says.
TEST(DataFolderCheck, JudgesThePathTheFileSystemResolves) {
    CTempFolder home;
    const std::string root = fs::canonical(home.Path()).string() + "/";
    const std::string data = root + "Data/";
    WriteText(data + "NYSE/ABC.csv", "abc");
    WriteText(data + "AMEX/XYZ.csv", "xyz");
    WriteText(root + "outside/sub/file.csv", "outside");
    fs::create_directory_symlink(root + "outside/sub", data + "OUT");
    fs::create_directory_symlink(data + "AMEX", data + "ALIAS");
    fs::create_symlink(root + "outside/sub/file.csv", data + "NYSE/FILE.csv");
    fs::create_symlink(root + "outside/none.csv", data + "NYSE/DANGLING.csv");
    fs::create_symlink("../AMEX/XYZ.csv", data + "NYSE/SAME.csv");
    fs::create_symlink(data + "NYSE/LOOP.csv", data + "NYSE/LOOP.csv");
    fs::create_directory_symlink(data, root + "DataLink");
    struct Case {
        std::string folder;
        std::string path;
        bool inside;
        std::string resolved; // when inside
    };
    const Case cases[] = {
        {data, data + "NYSE/ABC.csv", true, data + "NYSE/ABC.csv"},
        {data, data + "NYSE/NEW.csv", true, data + "NYSE/NEW.csv"},
        {data, data + "NYSE/../AMEX/./XYZ.csv", true, data + "AMEX/XYZ.csv"},
        {data, data + "NYSE/SAME.csv", true, data + "AMEX/XYZ.csv"},
        {data, data + "ALIAS/XYZ.csv", true, data + "AMEX/XYZ.csv"},
        {data, data + "OUT/file.csv", false, ""},
        {data, data + "OUT/new.csv", false, ""},
        {data, data + "OUT/../escape.csv", false, ""},
        {data, data + "NYSE/FILE.csv", false, ""},
        {data, data + "NYSE/DANGLING.csv", false, ""},
        {data, data + "NYSE/LOOP.csv", false, ""},
        {data, root + "elsewhere.csv", false, ""},
        {data, data + "NYSE/../../escape.csv", false, ""},
        {data, root + "Database/x.csv", false, ""},
        {data, root + "Data", false, ""},
        {data, "", false, ""},
        // The data folder itself may be a link: both sides are resolved.
        {root + "DataLink/", root + "DataLink/NYSE/ABC.csv", true, data + "NYSE/ABC.csv"},
        {root + "DataLink/", data + "NYSE/ABC.csv", true, data + "NYSE/ABC.csv"},
        {data, root + "DataLink/NYSE/ABC.csv", true, data + "NYSE/ABC.csv"},
    };
    for (const Case& c : cases) {
        std::string resolved = "untouched";
        EXPECT_EQ(IsInsideDataFolder(c.folder, c.path, &resolved), c.inside) << c.path;
        EXPECT_EQ(resolved, c.inside ? c.resolved : "untouched") << c.path;
    }
    EXPECT_EQ(ReadText(root + "outside/sub/file.csv"), "outside");
}

#pragma once
#include <string>

// Every path of one installation, formed from its program folder with "/". Each accessor
// returns a new string; folders end in "/".
class CInstallPaths {
public:
    // `programFolder` gets a trailing "/" when it has none; the programs lie there too.
    explicit CInstallPaths(std::string programFolder);
    // A home whose programs lie in another folder.
    CInstallPaths(std::string programFolder, std::string programsFolder);
    // The running program's installation: ProgramFolder() (ZENTRISTOCK_HOME, the folder of
    // the executable, or the user's own home when that folder cannot be written), with the
    // programs in the executable's folder. The first call shows why no home of the user's
    // own could be made, when it could not.
    static CInstallPaths OfProgram();

    const std::string& ProgramFolder() const { return m_folder; }
    std::string SetupIni() const;                            // shared with quotefetch
    std::string LanguageFolder() const;                      // language files
    std::string LanguageFile(const std::string& name) const; // a file of the language folder
    // "Data/": the quote folder of an installation whose setup.ini names none. Every other
    // part asks DataFolderOf (DataFolder.h), which reads the user's choice.
    std::string DefaultDataFolder() const;
    std::string TemplateFolder() const;   // chart templates (*.tmp)
    std::string FavouritesFolder() const; // favourite lists
    std::string SystemFolder() const;     // default template, downloaded market lists
    std::string DefaultTemplate() const;  // System/DTemp
    std::string IndexFolder() const;
    std::string MarketList() const;          // Index/market.txt
    std::string HelpFile() const;            // help.chm, opened with the desktop's viewer
    std::string HelpIndex() const;           // help/index.html, the help this build ships
    std::string DownloaderProgram() const;   // the quotefetch program, beside the programs
    std::string DownloaderSelection() const; // System/downloader.dat, the downloader's symbols
    std::string DownloaderLock() const;      // System/quotefetch.lock, one run per installation
    std::string AdFolder() const;
    std::string AdImagesFolder() const;

    // Creates AdFolder() and AdImagesFolder() when missing; a failure is ignored, as nothing
    // depends on them.
    void CreateAdFolders() const;

private:
    std::string m_folder;
    std::string m_programs;
};

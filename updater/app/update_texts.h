#pragma once
// The updater's texts: read from the language file the main program uses (the stored
// choice), each with the updater's own simplified Chinese text when no language file
// gives it. One table for the whole updater.

#include <QString>

// The texts of IDD_UPDATE_DIALOG, by number.
enum UpdateTextKey : int {
  kUpdateTitleText = 1000,
  kServerFailedText = 1001,
  kUpToDateText = 1002,
  kOfferedText = 1003,  // "%s": the server's version
  kDownloadingText = 1004,
  kDownloadFailedText = 1005,
  kRetryQuestionText = 1006,
  kInstallingText = 1007,
  kBadPackageText = 1008,
  kDownloadAgainText = 1009,
  kMainRunningText = 1010,
  kDoneText = 1011,
  kInstallingAfterCloseText = 1012,
  kUpgradingText = 1013,
  kUpgradeButtonText = 1014,
  kBackgroundButtonText = 1015,
  kRetryButtonText = 1016,
  kFinishButtonText = 1017,
  kTrayShowText = 1018,
  kForceCloseText = 1019,
  kConfirmClosedText = 1020,
  kTrayTitleText = 1021,
  kBannerText = 1022,
  kCloseManuallyText = 1023,
  kErrorCaptionText = 1024,
  kInstallFailedText = 1025,
  kCannotStartText = 1026,
  kNoticeCaptionText = 1027,  // "%s": the server's version
  kNoticeTitleText = 1028,
};

// Selects the language file of the stored choice, as the main program does at start.
void SelectUpdaterLanguage();

// The text of that number in IDD_UPDATE_DIALOG.
QString UpdateText(UpdateTextKey key);
// The text with "%s" filled with the argument.
QString UpdateText(UpdateTextKey key, const QString& argument);
// Two texts on two lines.
QString UpdateLines(UpdateTextKey first, UpdateTextKey second);
// The shared OK and Cancel texts.
QString OkText();
QString CancelText();

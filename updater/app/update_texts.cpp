#include "updater/app/update_texts.h"

#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

using lang_section::IDD_UPDATE_DIALOG;
using lang_section::PUBLIC;

constexpr int kOkKey = 1000;
constexpr int kCancelKey = 1001;

constexpr FixedText kFixedTexts[] = {
    {PUBLIC, kOkKey, u"确定"},
    {PUBLIC, kCancelKey, u"取消"},
    {IDD_UPDATE_DIALOG, kUpdateTitleText, u"Quendra - 在线升级"},
    {IDD_UPDATE_DIALOG, kServerFailedText, u"获取服务器版本信息失败！"},
    {IDD_UPDATE_DIALOG, kUpToDateText, u"当前已是最新版本，无需升级！"},
    {IDD_UPDATE_DIALOG, kOfferedText, u"%s，是否需要升级？"},
    {IDD_UPDATE_DIALOG, kDownloadingText, u"正在下载..."},
    {IDD_UPDATE_DIALOG, kDownloadFailedText, u"下载升级文件失败！"},
    {IDD_UPDATE_DIALOG, kRetryQuestionText, u"是否重试？"},
    {IDD_UPDATE_DIALOG, kInstallingText, u"下载升级包成功，正在安装..."},
    {IDD_UPDATE_DIALOG, kBadPackageText, u"安装包校验失败！"},
    {IDD_UPDATE_DIALOG, kDownloadAgainText, u"是否重新下载？"},
    {IDD_UPDATE_DIALOG, kMainRunningText,
     u"Quendra 正在运行，是否强制关闭并继续或确定关闭后继续？"},
    {IDD_UPDATE_DIALOG, kDoneText, u"升级成功!"},
    {IDD_UPDATE_DIALOG, kInstallingAfterCloseText, u"正在安装..."},
    {IDD_UPDATE_DIALOG, kUpgradingText, u"正在升级..."},
    {IDD_UPDATE_DIALOG, kUpgradeButtonText, u"一键升级"},
    {IDD_UPDATE_DIALOG, kBackgroundButtonText, u"在后台升级"},
    {IDD_UPDATE_DIALOG, kRetryButtonText, u"重试"},
    {IDD_UPDATE_DIALOG, kFinishButtonText, u"完成"},
    {IDD_UPDATE_DIALOG, kTrayShowText, u"显示升级窗口(&S)"},
    {IDD_UPDATE_DIALOG, kForceCloseText, u"强制关闭并继续"},
    {IDD_UPDATE_DIALOG, kConfirmClosedText, u"确定关闭后继续"},
    {IDD_UPDATE_DIALOG, kTrayTitleText, u"Quendra - 升级中..."},
    {IDD_UPDATE_DIALOG, kBannerText, u"LED 显示屏节目的编辑、预览与发送"},
    {IDD_UPDATE_DIALOG, kCloseManuallyText, u"请手动关闭 Quendra !"},
    {IDD_UPDATE_DIALOG, kErrorCaptionText, u"错误"},
    {IDD_UPDATE_DIALOG, kInstallFailedText, u"安装失败，原程序已恢复！"},
    {IDD_UPDATE_DIALOG, kCannotStartText, u"无法启动 Quendra !"},
    {IDD_UPDATE_DIALOG, kNoticeCaptionText, u"发现新版本，版本号：%s"},
    {IDD_UPDATE_DIALOG, kNoticeTitleText, u"Quendra - 升级提示"},
};

}  // namespace

void SelectUpdaterLanguage() { SelectLanguageFile(StoredLanguageChoice()); }

QString UpdateText(UpdateTextKey key) { return ReadLangText(IDD_UPDATE_DIALOG, key, kFixedTexts); }

QString UpdateText(UpdateTextKey key, const QString& argument) {
  return FormatLangText(UpdateText(key), {argument});
}

QString UpdateLines(UpdateTextKey first, UpdateTextKey second) {
  return UpdateText(first) + QLatin1Char('\n') + UpdateText(second);
}

QString OkText() { return ReadLangText(PUBLIC, kOkKey, kFixedTexts); }

QString CancelText() { return ReadLangText(PUBLIC, kCancelKey, kFixedTexts); }

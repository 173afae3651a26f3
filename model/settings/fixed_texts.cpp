#include "model/settings/fixed_texts.h"

#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

using namespace lang_section;

constexpr FixedText kFixedTexts[] = {
    {PUBLIC, 1006, u"无法建立运行文件夹!"},
    {PUBLIC, 1007, u"该程序已经运行了!"},
    {PUBLIC, 1008, u"提示:"},
    {PUBLIC, 1010, u"正在转换数据..."},
    {PUBLIC, 1011, u"All Files"},  // the picture pages' file filter
    // The guide pane: its greeting, buttons, caption and two choices.
    {IDD_GUIDE_DIALOG, 1000, u"您好，有什么可以为您效劳的!"},
    {IDD_GUIDE_DIALOG, 1001, u"上一步"},
    {IDD_GUIDE_DIALOG, 1002, u"下一步"},
    {IDD_GUIDE_DIALOG, 1003, u"向导"},
    {IDD_GUIDE_DIALOG, 1004, u"完成"},
    {IDD_GUIDE_DIALOG, 1048, u"我不知道怎样添加屏和配置屏参信息"},
    {IDD_GUIDE_DIALOG, 1049, u"我不知道怎么编辑节目"},
    {IDD_LEDLOCKER_DIALOG, 1001, u"定时锁屏"},
    {IDD_LEDLOCKER_DIALOG, 1002, u"解除锁屏"},
    // The speed lists' fastest and slowest words.
    {IDD_IMAGEWORD_DIALOG, 1013, u"最快"},
    {IDD_IMAGEWORD_DIALOG, 1014, u"最慢"},
    {IDD_FLASHWORDEDIT_DIALOG, 1007, u"Flash文字内容编辑"},
    // The 22 effects of the flash-words page, as its list has always named them.
    {IDD_FLASHWORDEDIT_DIALOG, 2000, u"3d"},
    {IDD_FLASHWORDEDIT_DIALOG, 2001, u"dna"},
    {IDD_FLASHWORDEDIT_DIALOG, 2002, u"nimbus"},
    {IDD_FLASHWORDEDIT_DIALOG, 2003, u"radiation"},
    {IDD_FLASHWORDEDIT_DIALOG, 2004, u"rebound"},
    {IDD_FLASHWORDEDIT_DIALOG, 2005, u"下倾显现"},
    {IDD_FLASHWORDEDIT_DIALOG, 2006, u"下落"},
    {IDD_FLASHWORDEDIT_DIALOG, 2007, u"下落的星"},
    {IDD_FLASHWORDEDIT_DIALOG, 2008, u"下雪"},
    {IDD_FLASHWORDEDIT_DIALOG, 2009, u"伸展"},
    {IDD_FLASHWORDEDIT_DIALOG, 2010, u"伸张"},
    {IDD_FLASHWORDEDIT_DIALOG, 2011, u"光学扫描"},
    {IDD_FLASHWORDEDIT_DIALOG, 2012, u"公告"},
    {IDD_FLASHWORDEDIT_DIALOG, 2013, u"分离"},
    {IDD_FLASHWORDEDIT_DIALOG, 2014, u"半转显现淡出"},
    {IDD_FLASHWORDEDIT_DIALOG, 2015, u"叠像突现"},
    {IDD_FLASHWORDEDIT_DIALOG, 2016, u"右移"},
    {IDD_FLASHWORDEDIT_DIALOG, 2017, u"向上吹气"},
    {IDD_FLASHWORDEDIT_DIALOG, 2018, u"向下吹气"},
    {IDD_FLASHWORDEDIT_DIALOG, 2019, u"向下扫描"},
    {IDD_FLASHWORDEDIT_DIALOG, 2020, u"向左拖拉"},
    {IDD_FLASHWORDEDIT_DIALOG, 2021, u"垂直合并"},
    // The brightness levels' end words: "0(暗)" ... "15(亮)".
    {IDD_TIMEBRIGHTNESSSET_DIALOG, 1008, u"亮"},
    {IDD_TIMEBRIGHTNESSSET_DIALOG, 1009, u"暗"},
    {IDD_BRIGHTNESS_DIALOG, 1001, u"亮度设置"},
    {IDD_TIMEONOFF_DIALOG, 1008, u"定时开关屏"},
    {IDD_BORDER_DIALOG, 1013, u"流水框超出区域大小，请重新选择流水边框或将区域调大。"},
    // The rich-text editor's file filter names.
    {IDD_RTFEDIT_DIALOG, 1029, u"All File"},
    {IDD_RTFEDIT_DIALOG, 1030, u"Rich Text Format"},
    {IDD_RTFEDIT_DIALOG, 1031, u"文本文档"},
};

}  // namespace

QString ReadLangTextOrFixed(const QString& section, int textNumber) {
  return ReadLangText(section, textNumber, kFixedTexts);
}

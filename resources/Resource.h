#pragma once

// Identifiers of the library's own resources. The string table texts are the
// original strings under which the system dictionary translates them.
#define IDS_DICTIONARY              24000
#define IDS_SYSTEM_DICTIONARY       24001
#define IDS_PROJECT_DICTIONARY      24002
#define IDS_LANGUAGE_MANAGEMENT     24003
#define IDS_WARNING                 24004
#define IDS_ERROR                   24005
#define IDS_INFORMATION             24006
#define IDS_COL_LANGUAGE_ID         24007
#define IDS_COL_LANGUAGE_NAME       24008
#define IDS_COL_FONT                24009
#define IDS_COL_UPDATE_TIME         24010
#define IDS_COL_ORIGINAL            24011
// Language names, 24012 (Thai) to 24036 (Arabic).
#define IDS_LANG_THAI               24012
#define IDS_LANG_VIETNAMESE         24013
#define IDS_LANG_MALAY              24014
#define IDS_LANG_CHINESE_TRAD       24015
#define IDS_LANG_CHINESE_SIMP       24016
#define IDS_LANG_ENGLISH            24017
#define IDS_LANG_ITALIAN            24018
#define IDS_LANG_HUNGARIAN          24019
#define IDS_LANG_HEBREW             24020
#define IDS_LANG_SPANISH            24021
#define IDS_LANG_TURKISH            24022
#define IDS_LANG_JAPANESE           24023
#define IDS_LANG_PORTUGUESE_BR      24024
#define IDS_LANG_PORTUGUESE_PT      24025
#define IDS_LANG_NORWEGIAN          24026
#define IDS_LANG_CZECH              24027
#define IDS_LANG_DUTCH              24028
#define IDS_LANG_KOREAN             24029
#define IDS_LANG_FINNISH            24030
#define IDS_LANG_FRENCH             24031
#define IDS_LANG_RUSSIAN            24032
#define IDS_LANG_GERMAN             24033
#define IDS_LANG_DANISH             24034
#define IDS_LANG_POLISH             24035
#define IDS_LANG_ARABIC             24036
#define IDS_FONT_TIMES_NEW_ROMAN    24037
#define IDS_CONFIRM_DELETE_COUNT    24038  // %d
#define IDS_DEFAULT_LANGUAGE_IN_USE 24039  // %s
#define IDS_OBJECT_EXISTS           24040  // %s
#define IDS_SYS_DEFAULT_EMPTY       24041
#define IDS_PROJECT_DEFAULT_EMPTY   24042
#define IDS_LANGUAGE_ID_EXISTS      24043  // %d
#define IDS_IMPORT_DONE             24044
#define IDS_OBJECT_EMPTY            24045
#define IDS_IMPORTING               24046
#define IDS_EXPORTING               24047
#define IDS_IMPORTING_ITEM          24048  // %1
#define IDS_EXPORTING_ITEM          24049  // %1
#define IDS_EXPORT_DONE             24050
#define IDS_COL_NATIVE_NAME         24088
#define IDS_COL_REGION_NAME         24089
// Data exchange of the dialog framework.
#define IDS_PARSE_INT               24091
#define IDS_PARSE_UINT              24092
#define IDS_IMPORT_STOPPED          24093
#define IDS_EXPORT_STOPPED          24094

// Labels that no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// Dialog templates of the dictionary editor.
#define IDD_DICTIONARY_DIALOG       24051  // main frame: tree, splitter, pages
#define IDD_SETTINGS_PAGE           24052  // settings and language list
#define IDD_SYSTEM_WORDS_PAGE       24053
#define IDD_PROJECT_WORDS_PAGE      24054
#define IDD_STACKED_PAGES           24055  // holds the pages, one shown at a time
#define IDD_LANGUAGE_DIALOG         24066
#define IDD_NEW_WORD_DIALOG         24068

// Icons: the tree's images and the language list's row image.
#define IDI_DICTIONARY              24056
#define IDI_SYSTEM_DICTIONARY       24058
#define IDI_PROJECT_DICTIONARY      24060
#define IDI_LANGUAGE_MANAGEMENT     24062
#define IDI_LANGUAGE_ROW            24064

// Controls of the main frame.
#define IDC_DICT_TREE               24057
#define IDC_PAGE_PLACEHOLDER        24059
#define IDC_SPLITTER_BAR            24061

// Controls of the settings page.
#define IDC_DICT_FILE_PATH          24063
#define IDC_MULTILINGUAL_ENABLE     24065
#define IDC_FONT_ENABLE             24067
#define IDC_DICT_VERSION            24069
#define IDC_SYS_DEFAULT_LANG        24070
#define IDC_PROJECT_DEFAULT_LANG    24071
#define IDC_LANGUAGE_LIST           24072
#define IDC_EDIT_LANGUAGE           24076
#define IDC_PROJECT_DEFAULT_LABEL   24087

// Add and delete mean the same on the settings page and the word pages.
#define IDC_ADD                     24073
#define IDC_DELETE                  24074

// Controls of the word pages.
#define IDC_FIND_WORD               24075
#define IDC_UPDATE_DICTIONARY       24077
#define IDC_IMPORT_EXCEL            24078
#define IDC_EXPORT_EXCEL            24079
#define IDC_GATHER_PROGRESS         24080
#define IDC_FUNCTION_DIAGRAM        24081  // system word page only
#define IDC_GRID_AREA               24085

// Controls of the language properties dialog; 24081 to 24085 mean something
// else on the word pages.
#define IDC_LANG_ID                 24081
#define IDC_LANG_NAME               24082
#define IDC_LANG_FONT               24083
#define IDC_LANG_HEX_ID             24084
#define IDC_LANG_NATIVE_NAME        24085

// Control of the word properties dialog.
#define IDC_ORIGINAL_STRING         24086

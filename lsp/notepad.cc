// Notepad++'s user-defined language, from the record and description
// tables.
#include "lsp/notepad.h"

#include <string_view>

#include "lsp/struttura.h"
#include "source/descrizioni.h"

namespace lsp {

namespace {

// A keyword list: keywords of more than one word stand in double quotes.
std::string parole(parte_riga p) {
  std::string t;
  for (const source::descrizione_record* d : record_della_parte(p)) {
    for (std::string_view w : d->parole) {
      if (!t.empty()) t += ' ';
      const bool quote = w.find(' ') != std::string_view::npos;
      if (quote) t += '"';
      t += w;
      if (quote) t += '"';
    }
  }
  return t;
}

std::string keywords(std::string_view nome, std::string_view valore) {
  return "            <Keywords name=\"" + std::string(nome) + "\">" +
         std::string(valore) + "</Keywords>\r\n";
}

std::string stile(std::string_view nome, std::string_view colore,
                  int fontstyle = 0, int nesting = 0) {
  return "            <WordsStyle name=\"" + std::string(nome) +
         "\" fgColor=\"" + std::string(colore) +
         "\" bgColor=\"FFFFFF\" colorStyle=\"1\" fontName=\"\" fontStyle=\"" +
         std::to_string(fontstyle) + "\" nesting=\"" + std::to_string(nesting) +
         "\" />\r\n";
}

}  // namespace

std::string lingua_notepad() {
  std::string x =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<!-- Scritto da scenario lsp con le tabelle dei record del programma: "
      "non modificare a mano. -->\r\n"
      "<NotepadPlus>\r\n"
      "    <UserLang name=\"Scenario\" ext=\"\" udlVersion=\"2.1\">\r\n"
      "        <Settings>\r\n"
      "            <Global caseIgnored=\"yes\" allowFoldOfComments=\"no\" "
      "foldCompact=\"no\" forcePureLC=\"2\" decimalSeparator=\"0\" />\r\n"
      "            <Prefix Keywords1=\"no\" Keywords2=\"no\" Keywords3=\"no\" "
      "Keywords4=\"no\" Keywords5=\"no\" Keywords6=\"no\" Keywords7=\"no\" "
      "Keywords8=\"no\" />\r\n"
      "        </Settings>\r\n"
      "        <KeywordLists>\r\n";
  // A field holding '-' at a line's start is a comment.
  x += keywords("Comments", "00- 01 02 03 04");
  for (std::string_view n :
       {"Numbers, prefix1", "Numbers, prefix2", "Numbers, extras1",
        "Numbers, extras2", "Numbers, suffix1", "Numbers, suffix2",
        "Numbers, range"}) {
    x += keywords(n, "");
  }
  x += keywords("Operators1", ",");
  x += keywords("Operators2", "");
  for (std::string_view n :
       {"Folders in code1, open", "Folders in code1, middle",
        "Folders in code1, close", "Folders in code2, open",
        "Folders in code2, middle", "Folders in code2, close",
        "Folders in comment, open", "Folders in comment, middle",
        "Folders in comment, close"}) {
    x += keywords(n, "");
  }
  // The general part's, the feature part's and the train file's keywords.
  x += keywords("Keywords1", parole(parte_riga::generale));
  x += keywords("Keywords2", parole(parte_riga::caratteristiche));
  x += keywords("Keywords3", parole(parte_riga::treno));
  for (std::string_view n :
       {"Keywords4", "Keywords5", "Keywords6", "Keywords7", "Keywords8"}) {
    x += keywords(n, "");
  }
  // Section headers in brackets, board texts in parentheses.
  x += keywords("Delimiters",
                "00[ 01 02] 03( 04 05) 06 07 08 09 10 11 12 13 14 15 16 17 "
                "18 19 20 21 22 23");
  x += "        </KeywordLists>\r\n"
       "        <Styles>\r\n";
  x += stile("DEFAULT", "000000");
  x += stile("COMMENTS", "008000");
  x += stile("LINE COMMENTS", "008000", 2);
  x += stile("NUMBERS", "FF8000");
  x += stile("KEYWORDS1", "0000FF", 1);
  x += stile("KEYWORDS2", "8000FF", 1);
  x += stile("KEYWORDS3", "0080C0", 1);
  for (std::string_view n :
       {"KEYWORDS4", "KEYWORDS5", "KEYWORDS6", "KEYWORDS7", "KEYWORDS8"}) {
    x += stile(n, "000000");
  }
  x += stile("OPERATORS", "808080");
  x += stile("FOLDER IN CODE1", "000000");
  x += stile("FOLDER IN CODE2", "000000");
  x += stile("FOLDER IN COMMENT", "000000");
  x += stile("DELIMITERS1", "800000", 1);
  x += stile("DELIMITERS2", "804000", 2);
  for (std::string_view n : {"DELIMITERS3", "DELIMITERS4", "DELIMITERS5",
                             "DELIMITERS6", "DELIMITERS7", "DELIMITERS8"}) {
    x += stile(n, "000000");
  }
  x += "        </Styles>\r\n"
       "    </UserLang>\r\n"
       "</NotepadPlus>\r\n";
  return x;
}

}  // namespace lsp

#include "help_topics.h"

namespace app {

const std::vector<HelpTopic> &helpTopics()
{
    static const std::vector<HelpTopic> topics{
        {HelpContents, QStringLiteral("Návod k programu"),
         QStringLiteral("<h2>Velorad – příkazy do banky</h2>"
                        "<p>Program připravuje příkazy k úhradě a příkazy k inkasu pro banky. Pro každou firmu "
                        "vede vlastní sadu dat (Velorad): účty, ze kterých se platí, platby na účty s jejich symboly, "
                        "částkami a datumy splatnosti, knihu příkazů a knihu závazků.</p>"
                        "<h3>Jak začít</h3><ol>"
                        "<li>Při prvním spuštění zvolte, kde jsou data uložena (<i>Výběr práce s daty</i>).</li>"
                        "<li>V okně výběru vytvořte tlačítkem <b>Nové</b> Velorad pro svou firmu a otevřete je.</li>"
                        "<li>V menu <b>Zápis a výběr účtů</b> zapište účty, ze kterých budete platit (<i>Platby z účtu</i>), "
                        "a potom platby na účty.</li>"
                        "<li>V menu <b>Další možnosti – Modifikace programu</b> nastavte tvar datumu, název firmy a kódy "
                        "příkazů podle svého bankovního programu.</li></ol>"
                        "<h3>Témata</h3><ul>"
                        "<li><a href=\"topic:1\">Hlavní okno</a></li><li><a href=\"topic:2\">Výběr Velorad</a></li>"
                        "<li><a href=\"topic:3\">Výběr práce s daty</a></li><li><a href=\"topic:46\">Modifikace programu</a></li>"
                        "</ul>")},
        {HelpMainWindow, QStringLiteral("Hlavní okno"),
         QStringLiteral("<h2>Hlavní okno</h2>"
                        "<p>Hlavní okno nese menu, panel tlačítek a stavový řádek. Dokud není otevřeno žádné Velorad, "
                        "lze jen vybrat Velorad (<b>Soubor – Výběr příkazů do banky</b>, Ctrl+A), ukončit program "
                        "a číst nápovědu.</p>"
                        "<p><b>Stavový řádek</b>: vlevo se objevuje podrobný popis položky menu nebo tlačítka pod myší, "
                        "ve druhém poli pořadí záznamu a počet záznamů (např. 3/17, „Nový záznam“ při zápisu), ve třetím "
                        "„EDIT“, pokud je záznam právě upravován.</p>"
                        "<p><b>Záhlaví okna</b> ukazuje název firmy zadaný v Modifikaci programu.</p>"
                        "<p>Položka <i>Výběr datumu vystavení a splatnosti</i> se objeví jen při volbě stejných datumů "
                        "pro všechny platby, položky přenosu příkazů jen při zapnutém přenosu příkazů.</p>"
                        "<p>Poloha a velikost okna se při ukončení uloží a při dalším spuštění obnoví.</p>")},
        {HelpChooser, QStringLiteral("Výběr Velorad"),
         QStringLiteral("<h2>Výběr Velorad</h2>"
                        "<p>Jedna instalace vede data více firem. Každá firma má svá Velorad s číslem, názvem a adresářem "
                        "(D1, D2, …).</p><ul>"
                        "<li><b>Otevřít</b> (Enter, dvojklik) otevře vybraná Velorad. Pracuje-li s nimi jiný uživatel, "
                        "program to oznámí a Velorad neotevře. Jsou-li chráněna heslem, zeptá se na heslo (rozlišují se "
                        "velká a malá písmena).</li>"
                        "<li><b>Nové</b> vytvoří nová Velorad; číslo dostanou nejnižší volné.</li>"
                        "<li><b>Název</b> změní název, <b>Heslo</b> heslo přidá, změní nebo (prázdným novým heslem) "
                        "zruší.</li>"
                        "<li><b>Smazat</b> smaže vybraná Velorad z disku včetně všech dat – program se ptá dvakrát.</li>"
                        "<li>Pravé tlačítko myši nad seznamem nabízí řazení automaticky podle čísla nebo vlastní "
                        "pořadí.</li>"
                        "<li>Zaškrtnuté <b>Zobrazovat</b> nastaví při dalším spuštění naposledy zpracovávaná Velorad.</li>"
                        "<li>Ctrl+N otevře výběr práce s daty.</li></ul>")},
        {HelpDataLocation, QStringLiteral("Výběr práce s daty"),
         QStringLiteral("<h2>Výběr práce s daty</h2>"
                        "<p>Data mohou ležet ve stejném adresáři jako program, nebo ve společném adresáři na síťovém "
                        "disku, se kterým pracuje více počítačů.</p><ul>"
                        "<li><b>Data ve stejném adresáři jako program</b> – jeden počítač. Není-li adresář programu "
                        "zapisovatelný (program je nainstalován), použije se adresář dat uživatele.</li>"
                        "<li><b>Data pro provoz v síti</b> – zadejte cestu k souboru Data.DB společného adresáře "
                        "nebo jej vyhledejte tlačítkem „...“.</li>"
                        "<li><b>Kopírovat data</b> připraví nový společný adresář: zkopíruje prázdný seznam Velorad "
                        "(existující seznam nikdy nepřepíše) a vzorová data. Proveďte jen na prvním počítači.</li></ul>"
                        "<p>Velorad otevřená na jednom počítači nelze současně otevřít na jiném.</p>")},
        {HelpSettings, QStringLiteral("Modifikace programu"),
         QStringLiteral("<h2>Modifikace programu</h2>"
                        "<p>Zde program přizpůsobíte své bance a zvyklostem. Nastavení platí pro otevřená Velorad.</p><ul>"
                        "<li><b>Tvar datumů na příkazu</b> – jak se datum tiskne na příkaz a zapisuje do souboru pro banku.</li>"
                        "<li><b>Datum vystavení</b> – den tisku, nebo prázdné.</li>"
                        "<li><b>Datum splatnosti IHNED</b> – místo datumu se tiskne IHNED.</li>"
                        "<li><b>Stejné datumy</b> – všechny nové platby dostanou stejné datum vystavení a splatnosti.</li>"
                        "<li><b>Platby z jednoho účtu</b> – nové platby dostanou účet číslo 0.</li>"
                        "<li><b>Oddělovač částky</b> v tisku a v textovém souboru pro banku.</li>"
                        "<li><b>Příkaz k úhradě / k inkasu</b> – čísla typu příkazu podle bankovního programu.</li>"
                        "<li><b>Název firmy</b> – objeví se v záhlaví hlavního okna.</li>"
                        "<li><b>Přenos příkazů</b> – příkazy se přenášejí mezi počítači.</li></ul>")},
        {HelpIssueDate, QStringLiteral("Datum vystavení příkazu"),
         QStringLiteral("<p>Zaškrtnuto: datum vystavení na příkazu je den tisku.</p>")},
        {HelpSameDates, QStringLiteral("Stejné datumy vystavení a splatnosti"),
         QStringLiteral("<p>Zaškrtnuto: při zápisu plateb volíte jedno datum splatnosti a vystavení pro všechny platby "
                        "(menu Zápis a výběr účtů – Výběr datumu vystavení a splatnosti).</p>")},
        {HelpOneAccount, QStringLiteral("Platby z jednoho účtu"),
         QStringLiteral("<p>Zaškrtnuto: platíte z jediného účtu; zapište jej v Platbách z účtu s číslem 0.</p>")},
        {HelpPayerData, QStringLiteral("Údaje pro potřebu příkazce"),
         QStringLiteral("<p>Zaškrtnuto: na příkaz se tisknou údaje pro vnitřní potřebu příkazce.</p>")},
        {HelpCompanyName, QStringLiteral("Název firmy"),
         QStringLiteral("<p>Název firmy se objeví v záhlaví hlavního okna a v přenesených příkazech.</p>")},
        {HelpDateChoice, QStringLiteral("Výběr datumu vystavení a splatnosti"),
         QStringLiteral("<p>Datum vystavení a splatnosti, které dostanou všechny nově zapsané platby. Sobota a "
                        "neděle se odmítnou.</p>")},
        {HelpTransfer, QStringLiteral("Přenos příkazů"),
         QStringLiteral("<p>Příkazy připravené na jednom počítači lze uložit a načíst na jiném počítači, kde se "
                        "vytisknou nebo odešlou do banky.</p>")},
    };
    return topics;
}

const HelpTopic &helpTopic(int context)
{
    for (const auto &t : helpTopics())
        if (t.context == context) return t;
    return helpTopics().front();
}

} // namespace app

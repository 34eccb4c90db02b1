// The title tables of the thirteen APS title languages and the two tables of
// language names, as data: one table per language, one row per title code.
// Non-ASCII bytes are written as hex escapes (Windows-1252 for the European
// languages, Shift-JIS for Japanese) with the word in a comment; a literal is
// split where a hex escape would otherwise swallow a following letter.
// Misspellings in the rows are the film system's own texts and stay as they
// are: cameras and photofinishers show the same words.
#include "source/aps/title_tables.h"

namespace {

// Danish, language 1.
constexpr const char* const DANISH[] = {
    "Jul",                                      // 0
    "F\xF8" "dselsdag",                         // 1 Fødselsdag
    "Ferie",                                    // 2
    "Bryllupsrejse",                            // 3
    "Bryllup",                                  // 4
    NO_TITLE,                                   // 5
    "Dimission",                                // 6
    "Familie",                                  // 7
    "Fest",                                     // 8
    "Helligdag",                                // 9
    "\xC5rsdag",                                // 10 Årsdag
    "Venner",                                   // 11
    "Skolebegivenhed",                          // 12
    "Rejse",                                    // 13
    "Jeg elsker dig",                           // 14
    "Mange tak!",                               // 15
    "Gl\xE6" "delig julog Godt Nyt \xC5r!",     // 16 Glædelig julog Godt Nyt År!
    "Tillykke med dagen!",                      // 17
    "Tillykke",                                 // 18
    "Gl\xE6" "delig Jul",                       // 19 Glædelig Jul
    "Festival",                                 // 20
    "F\xF8rste skoledag",                       // 21 Første skoledag
    "P\xE5 tur",                                // 22 På tur
    "Nyt\xE5r",                                 // 23 Nytår
    "P\xE5ske",                                 // 24 Påske
    "Godt Nyt\xE5r",                            // 25 Godt Nytår
    "Genforening",                              // 26
    "Farsdag",                                  // 27
    "Morsdag",                                  // 28
    "Minder",                                   // 29
    "Barned\xE5" "b",                           // 30 Barnedåb
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Guldbryllup",                              // 50
    "S\xF8lvbryllup",                           // 51 Sølvbryllup
    "Kobberbryllup",                            // 52
    "Pinse",                                    // 53
    "Sankt Hans",                               // 54
    "Fastelavn",                                // 55
    "Karneval",                                 // 56
    "Julebal",                                  // 57
    "Studentereksamen",                         // 58
    "Jubil\xE6um",                              // 59 Jubilæum
    "Velkommen!",                               // 60
    "Sk\xE5l!",                                 // 61 Skål!
    "Kristi Himmelfart",                        // 62
    "Grundlovsdag",                             // 63
    "B\xF8rnehj\xE6lpsdag",                     // 64 Børnehjælpsdag
    "Bededag",                                  // 65
    "Danmark\xB4s befrielse",                   // 66 Danmark´s befrielse
    "Dronningen\xB4s f\xF8" "dselsdag",         // 67 Dronningen´s fødselsdag
    "Morten\xB4s befrielse",                    // 68 Morten´s befrielse
    "Sankta Lucia",                             // 69
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 70..77
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 78..85
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 86..90
};

// Finnish, language 2.
constexpr const char* const FINNISH[] = {
    "Joulu",                                    // 0
    "Syntym\xE4p\xE4iv\xE4\"",                  // 1 Syntymäpäivä"
    "Loma",                                     // 2
    "Kuherruskuukausi",                         // 3
    "H\xE4\xE4t",                               // 4 Häät
    NO_TITLE,                                   // 5
    "Valmistujaiset",                           // 6
    "Perhe",                                    // 7
    "Kutsut",                                   // 8
    "Juhlap\xE4iv\xE4\"",                       // 9 Juhlapäivä"
    "Vuosip\xE4iv\xE4\"",                       // 10 Vuosipäivä"
    "Yst\xE4v\xE4t",                            // 11 Ystävät
    NO_TITLE,                                   // 12
    "Matka",                                    // 13
    "Rakastan sinua",                           // 14
    "Kiitos",                                   // 15
    "Hyv\xE4\xE4 joulua ja onnellista uutta vuotta!",  // 16 Hyvää joulua ja onnellista uutta vuotta!
    "Paljon onnea!",                            // 17
    "Onneksi olkoon",                           // 18
    "Hyv\xE4\xE4 joulua",                       // 19 Hyvää joulua
    "Juhla",                                    // 20
    "Ensimm\xE4inen koulup\xE4iv\xE4\"",        // 21 Ensimmäinen koulupäivä"
    "Tutustumismatka",                          // 22
    "Unsi vuosi",                               // 23
    "P\xE4\xE4si\xE4inen",                      // 24 Pääsiäinen
    "Onnellista uutta vuotta!",                 // 25
    "J\xE4lleenn\xE4keminen",                   // 26 Jälleennäkeminen
    "Is\xE4np\xE4iv\xE4\"",                     // 27 Isänpäivä"
    "\xC4itienp\xE4iv\xE4\"",                   // 28 Äitienpäivä"
    "Muistoja",                                 // 29
    "Risti\xE4iset",                            // 30 Ristiäiset
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Vappu",                                    // 50
    "Juhannus",                                 // 51
    "Itsen\xE4isyysp\xE4iv\xE4\"",              // 52 Itsenäisyyspäivä"
    "Lakkiaiset",                               // 53
    "Hauskka nimip\xE4iv\xE4\xE4",              // 54 Hauskka nimipäivää
    "Onnittelut perheenlis\xE4yksen johdosta!",  // 55 Onnittelut perheenlisäyksen johdosta!
    "Tervetuloa!",                              // 56
    "Kippis!",                                  // 57
    "Rippijuhlat",                              // 58
    "Pikkujoulu",                               // 59
    "Luokkakokous",                             // 60
    "Sukukokous",                               // 61
    "Hyv\xE4\xE4 matkaa!",                      // 62 Hyvää matkaa!
    "Hauskaa juhannusta!",                      // 63
    "Hauskaa vappua!",                          // 64
    "IIoista p\xE4\xE4si\xE4ist\xE4!",          // 65 IIoista pääsiäistä!
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 66..73
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 74..81
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 82..89
    NO_TITLE,                                   // 90
};

// French, language 3.
constexpr const char* const FRENCH[] = {
    "No\xEBl",                                  // 0 Noël
    "Anniversaire",                             // 1
    "Vacances",                                 // 2
    "Lune de miel",                             // 3
    "Mariage",                                  // 4
    "Hanouccah",                                // 5
    "Remise des Dipl\xF4mes",                   // 6 Remise des Diplômes
    "Famille",                                  // 7
    "R\xE9" "ception",                          // 8 Réception
    "F\xEAte",                                  // 9 Fête
    "Anniversaire de mariage",                  // 10
    "Amis",                                     // 11
    "Evenement Scolaire",                       // 12
    "Voyage",                                   // 13
    "Je t'aime",                                // 14
    "Merci",                                    // 15
    "Meilleurs Voeux",                          // 16
    "Joyeux anniversaire",                      // 17
    "F\xE9licitations",                         // 18 Félicitations
    "Joyeux No\xEBl",                           // 19 Joyeux Noël
    "Festival",                                 // 20
    "Rentr\xE9" "e Scolaire",                   // 21 Rentrée Scolaire
    "Tour",                                     // 22
    "Nouvelle Annee",                           // 23
    "P\xE2ques",                                // 24 Pâques
    "Bonne Ann\xE9" "e",                        // 25 Bonne Année
    "R\xE9union",                               // 26 Réunion
    "F\xEAte des P\xE8res",                     // 27 Fête des Pères
    "F\xEAte des M\xE8res",                     // 28 Fête des Mères
    "Souvenirs",                                // 29
    "Bapt\xEAme",                               // 30 Baptême
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Amis",                                     // 50
    "Amies",                                    // 51
    "Anniversaire de mariage",                  // 52
    "14 juillet",                               // 53
    "La Saint Valentin",                        // 54
    "Jour de l'an",                             // 55
    "F\xEAte du Travail",                       // 56 Fête du Travail
    "Bar Mitzva",                               // 57
    "Bat Mitzva",                               // 58
    "Toussaint",                                // 59
    "F\xEAte de Jeanne d'Arc",                  // 60 Fête de Jeanne d'Arc
    "Pentec\xF4te/Lundi de Pentec\xF4te",       // 61 Pentecôte/Lundi de Pentecôte
    "Armistice",                                // 62
    "F\xEAte de l'Assomption",                  // 63 Fête de l'Assomption
    "Ascension",                                // 64
    "F\xEAte de la Musique",                    // 65 Fête de la Musique
    "Foire",                                    // 66
    "F\xEAte Foraine",                          // 67 Fête Foraine
    "Exposition",                               // 68
    "Cr\xE9maill\xE8re",                        // 69 Crémaillère
    "Soir\xE9" "e d'ouverture/Premi\xE8re",     // 70 Soirée d'ouverture/Première
    "Inauguration",                             // 71
    "Bon R\xE9tablissement",                    // 72 Bon Rétablissement
    "Ann\xE9" "e Scolaire",                     // 73 Année Scolaire
    "D\xE9" "fil\xE9\"",                        // 74 Défilé"
    "Jour J",                                   // 75
    "F\xEAte du Canada",                        // 76 Fête du Canada
    "F\xEAte de Dollard",                       // 77 Fête de Dollard
    "Jour de Sourvenir",                        // 78
    "F\xEAte nationale du Qu\xE9" "bec",        // 79 Fête nationale du Québec
    "Festival de musique",                      // 80
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 81..88
    NO_TITLE, NO_TITLE,                         // 89..90
};

// German, language 4.
constexpr const char* const GERMAN[] = {
    "Weihnachten",                              // 0
    "Geburtstag",                               // 1
    "Urlaub",                                   // 2
    "Hochzeitsreise",                           // 3
    "Hochzeit",                                 // 4
    NO_TITLE,                                   // 5
    "Abschlu\xDF" "feier",                      // 6 Abschlußfeier
    "Familie",                                  // 7
    "Party",                                    // 8
    "Feiertag",                                 // 9
    "Jubil\xE4um",                              // 10 Jubiläum
    "Freunde",                                  // 11
    "Schulveranstaltung",                       // 12
    "Reise",                                    // 13
    "Ich liebe Dich",                           // 14
    "Dankesch\xF6n",                            // 15 Dankeschön
    NO_TITLE,                                   // 16
    "Herzlichen Gl\xFC" "ckwunsch zum Geburtstag",  // 17 Herzlichen Glückwunsch zum Geburtstag
    "Herzliche Gl\xFC" "ckw\xFCnsche",          // 18 Herzliche Glückwünsche
    "Fr\xF6hliche Weihnachten",                 // 19 Fröhliche Weihnachten
    "Festival",                                 // 20
    "Erster Schultag",                          // 21
    "Tour",                                     // 22
    "Neujahr",                                  // 23
    "Ostern",                                   // 24
    "Frohes Neues Jahr",                        // 25
    "Treffen",                                  // 26
    "Vatertag",                                 // 27
    "Muttertag",                                // 28
    "Erinnerungen",                             // 29
    "Taufe",                                    // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Frohe Ostern",                             // 50
    "Heiligabend",                              // 51
    "Sylvester",                                // 52
    "Frohe Pfingsten",                          // 53
    "Karfreitag",                               // 54
    "1. Mai/Tag der Arbeit",                    // 55
    "Tag der Deutschen Einheit",                // 56
    "Fasching",                                 // 57
    "Oktoberfest",                              // 58
    "Alleheiligen",                             // 59
    "St. Nicolaustag",                          // 60
    "Sch\xFCtzenfest",                          // 61 Schützenfest
    "Advent",                                   // 62
    "St. Martins Tag",                          // 63
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 64..71
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 72..79
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 80..87
    NO_TITLE, NO_TITLE, NO_TITLE,               // 88..90
};

// Italian, language 5.
constexpr const char* const ITALIAN[] = {
    "Natale",                                   // 0
    "Compleanno",                               // 1
    "Vacanze",                                  // 2
    "Luna di miele",                            // 3
    "Matrimonio",                               // 4
    "Hanukk\xE1\"",                             // 5 Hanukká"
    "Laurea",                                   // 6
    "Famiglia",                                 // 7
    "Festa",                                    // 8
    "Festa",                                    // 9
    "Anniversario",                             // 10
    "Amici",                                    // 11
    "Evento Scolastico",                        // 12
    "Viaggio",                                  // 13
    "Ti amo",                                   // 14
    "Grazie",                                   // 15
    "Buone Feste",                              // 16
    "Buon Compleanno",                          // 17
    "Congratulazioni",                          // 18
    "Buon Natale",                              // 19
    "Festival",                                 // 20
    "Primo giorno di scuola",                   // 21
    "Tour",                                     // 22
    "Capodanno",                                // 23
    "Pasqua",                                   // 24
    "Felice Anno Nuovo",                        // 25
    "Riunione",                                 // 26
    "Festa del Pap\xE0\"",                      // 27 Festa del Papà"
    "Festa della Mamma",                        // 28
    "Picordi",                                  // 29
    "Battesimo",                                // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Epifania",                                 // 50
    "Carnevale",                                // 51
    "Ferragosto",                               // 52
    "S. Valentino",                             // 53
    "Prima Comunione",                          // 54
    "Cresima",                                  // 55
    "Nozze D'Argento",                          // 56
    "Nozze D'Oro",                              // 57
    "Buona Pasqua",                             // 58
    "Tanti Auguri",                             // 59
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 60..67
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 68..75
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 76..83
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 84..90
};

// Japanese, languages 6 and 7, in English words.
constexpr const char* const JAPANESE_ENGLISH[] = {
    "Christmas",                                // 0
    "Birthday",                                 // 1
    "Vacation",                                 // 2
    "Honeymoon",                                // 3
    "Wedding",                                  // 4
    NO_TITLE,                                   // 5
    "Graduation",                               // 6
    "Family",                                   // 7
    "Party",                                    // 8
    "Holiday",                                  // 9
    "Anniversary",                              // 10
    "Friends",                                  // 11
    "School Event",                             // 12
    NO_TITLE,                                   // 13
    "I Love You",                               // 14
    "Thank You",                                // 15
    NO_TITLE,                                   // 16
    "Happy Birthday",                           // 17
    "Congratulation",                           // 18
    "Merry Christmas",                          // 19
    "Festival",                                 // 20
    "First day of School",                      // 21
    "Tour",                                     // 22
    "New Year's",                               // 23
    "Easter",                                   // 24
    "Happy New Year",                           // 25
    "Reunion",                                  // 26
    "Father's Day",                             // 27
    "Mother's Day",                             // 28
    "Memories",                                 // 29
    "Baptism",                                  // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Summer vacation",                          // 50
    "Athletic meet",                            // 51
    "Hiking",                                   // 52
    "Hiking",                                   // 53
    "Training camp",                            // 54
    "Year end party",                           // 55
    "Children's day",                           // 56
    "Coming of age day",                        // 57
    "Celebration of 7,5,3 years old children",  // 58
    "Star festival",                            // 59
    "Girl's festival",                          // 60
    "Golden week",                              // 61
    "First visit of the year to shrine",        // 62
    "The day before the beginning of spring",   // 63
    "Fantastic!",                               // 64
    "Deeply Touching",                          // 65
    "My baby grown up",                         // 66
    "How sweet!",                               // 67
    "I'll stick it out",                        // 68
    "How do you do",                            // 69
    "Beautiful!",                               // 70
    "How are you?",                             // 71
    "School excusion",                          // 72
    "Hold out!",                                // 73
    "How Happy!",                               // 74
    "Hello",                                    // 75
    "Halloween",                                // 76
    "First day of Kindergarten",                // 77
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 78..85
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 86..90
};

// Japanese, languages 6 and 7, in half-width katakana (Shift-JIS).
constexpr const char* const JAPANESE_KATAKANA[] = {
    "\xB8\xD8\xBD\xCF\xBD",                     // 0 ｸﾘｽﾏｽ
    "\xC0\xDD\xBC\xDE\xAE\xB3\xCB\xDE",         // 1 ﾀﾝｼﾞｮｳﾋﾞ
    "\xB7\xAD\xB3\xB6",                         // 2 ｷｭｳｶ
    "\xBC\xDD\xBA\xDD\xD8\xAE\xBA\xB3",         // 3 ｼﾝｺﾝﾘｮｺｳ
    "\xB9\xAF\xBA\xDD",                         // 4 ｹｯｺﾝ
    NO_TITLE,                                   // 5
    "\xBF\xC2\xB7\xDE\xAE\xB3",                 // 6 ｿﾂｷﾞｮｳ
    "\xCC\xA7\xD0\xD8\xB0",                     // 7 ﾌｧﾐﾘｰ
    "\xCA\xDF\xB0\xC3\xA8\xB0",                 // 8 ﾊﾟｰﾃｨｰ
    "\xCE\xD8\xC3\xDE\xB0",                     // 9 ﾎﾘﾃﾞｰ
    "\xB7\xC8\xDD\xCB\xDE",                     // 10 ｷﾈﾝﾋﾞ
    "\xC4\xD3\xC0\xDE\xC1",                     // 11 ﾄﾓﾀﾞﾁ
    "\xB6\xDE\xAF\xBA\xB3\xB7\xDE\xAE\xB3\xBC\xDE",  // 12 ｶﾞｯｺｳｷﾞｮｳｼﾞ
    NO_TITLE,                                   // 13
    "\xB1\xB2\xD7\xCC\xDE\xD5\xB0",             // 14 ｱｲﾗﾌﾞﾕｰ
    "\xB1\xD8\xB6\xDE\xC4\xB3",                 // 15 ｱﾘｶﾞﾄｳ
    NO_TITLE,                                   // 16
    "\xB5\xC0\xDD\xBC\xDE\xAE\xB3\xCB\xDE\xB5\xD2\xC3\xDE\xC4\xB3",  // 17 ｵﾀﾝｼﾞｮｳﾋﾞｵﾒﾃﾞﾄｳ
    "\xB5\xD2\xC3\xDE\xC4\xB3",                 // 18 ｵﾒﾃﾞﾄｳ
    "\xD2\xD8\xB0\xB8\xD8\xBD\xCF\xBD",         // 19 ﾒﾘｰｸﾘｽﾏｽ
    "\xB5\xCF\xC2\xD8",                         // 20 ｵﾏﾂﾘ
    "\xC6\xAD\xB3\xB6\xDE\xB8",                 // 21 ﾆｭｳｶﾞｸ
    "\xD8\xAE\xBA\xB3",                         // 22 ﾘｮｺｳ
    "\xBC\xAE\xB3\xB6\xDE\xC2",                 // 23 ｼｮｳｶﾞﾂ
    "\xCC\xAF\xB6\xC2\xBB\xB2",                 // 24 ﾌｯｶﾂｻｲ
    "\xB1\xB9\xCF\xBC\xC3\xB5\xD2\xC3\xDE\xC4\xB3",  // 25 ｱｹﾏｼﾃｵﾒﾃﾞﾄｳ
    "\xC4\xDE\xB3\xBF\xB3\xB6\xB2",             // 26 ﾄﾞｳｿｳｶｲ
    "\xC1\xC1\xC9\xCB",                         // 27 ﾁﾁﾉﾋ
    "\xCA\xCA\xC9\xCB",                         // 28 ﾊﾊﾉﾋ
    "\xB5\xD3\xB2\xC3\xDE",                     // 29 ｵﾓｲﾃﾞ
    "\xBE\xDD\xDA\xB2",                         // 30 ｾﾝﾚｲ
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "\xC5\xC2\xD4\xBD\xD0",                     // 50 ﾅﾂﾔｽﾐ
    "\xB3\xDD\xC4\xDE\xB3\xB6\xB2",             // 51 ｳﾝﾄﾞｳｶｲ
    "\xCA\xB2\xB7\xDD\xB8\xDE",                 // 52 ﾊｲｷﾝｸﾞ
    "\xB4\xDD\xBF\xB8",                         // 53 ｴﾝｿｸ
    "\xB6\xDE\xAF\xBC\xAD\xB8",                 // 54 ｶﾞｯｼｭｸ
    "\xCE\xDE\xB3\xC8\xDD\xB6\xB2",             // 55 ﾎﾞｳﾈﾝｶｲ
    "\xBA\xC4\xDE\xD3\xC9\xCB",                 // 56 ｺﾄﾞﾓﾉﾋ
    "\xBE\xB2\xBC\xDE\xDD\xBC\xB7",             // 57 ｾｲｼﾞﾝｼｷ
    "\xBC\xC1\xBA\xDE\xBB\xDD",                 // 58 ｼﾁｺﾞｻﾝ
    "\xC0\xC5\xCA\xDE\xC0",                     // 59 ﾀﾅﾊﾞﾀ
    "\xCB\xC5\xCF\xC2\xD8",                     // 60 ﾋﾅﾏﾂﾘ
    "\xBA\xDE\xB0\xD9\xC3\xDE\xDD\xB3\xA8\xB0\xB8",  // 61 ｺﾞｰﾙﾃﾞﾝｳｨｰｸ
    "\xCA\xC2\xD3\xB3\xC3\xDE",                 // 62 ﾊﾂﾓｳﾃﾞ
    "\xBE\xC2\xCC\xDE\xDD",                     // 63 ｾﾂﾌﾞﾝ
    "\xBB\xB2\xBA\xB0!",                        // 64 ｻｲｺｰ!
    "\xB6\xDD\xB9\xDE\xB7!",                    // 65 ｶﾝｹﾞｷ!
    "\xBA\xDD\xC5\xC6\xB5\xB5\xB7\xB8\xC5\xD8\xCF\xBC\xC0",  // 66 ｺﾝﾅﾆｵｵｷｸﾅﾘﾏｼﾀ
    "\xB6\xDC\xB2\xB2\xC3\xDE\xBC\xAE!",        // 67 ｶﾜｲｲﾃﾞｼｮ!
    "\xB6\xDE\xDD\xCA\xDE\xAF\xC3\xCF\xBD!",    // 68 ｶﾞﾝﾊﾞｯﾃﾏｽ!
    "\xD6\xDB\xBC\xB8!",                        // 69 ﾖﾛｼｸ!
    "\xB7\xDA\xB2!",                            // 70 ｷﾚｲ!
    "\xB5\xB9\xDE\xDD\xB7\xC3\xDE\xBD\xB6?",    // 71 ｵｹﾞﾝｷﾃﾞｽｶ?
    "\xBC\xAD\xB3\xB6\xDE\xB8\xD8\xAE\xBA\xB3",  // 72 ｼｭｳｶﾞｸﾘｮｺｳ
    "\xB6\xDE\xDD\xCA\xDE\xDA",                 // 73 ｶﾞﾝﾊﾞﾚ
    "\xB3\xDA\xBC\xB2\xC5",                     // 74 ｳﾚｼｲﾅ
    "\xBA\xDD\xC6\xC1\xCA",                     // 75 ｺﾝﾆﾁﾊ
    "\xCA\xDB\xB0\xB3\xA8\xDD",                 // 76 ﾊﾛｰｳｨﾝ
    "\xC6\xAD\xB3\xB4\xDD",                     // 77 ﾆｭｳｴﾝ
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 78..85
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 86..90
};

// Norwegian, language 8.
constexpr const char* const NORWEGIAN[] = {
    "Jul",                                      // 0
    "F\xF8" "dselsdag",                         // 1 Fødselsdag
    "Ferie",                                    // 2
    "Bryllupsrejse",                            // 3
    "Bryllup",                                  // 4
    NO_TITLE,                                   // 5
    "Avgangseksamen",                           // 6
    "Familie",                                  // 7
    "Fest",                                     // 8
    "Helligdag",                                // 9
    "\xC5rsdag",                                // 10 Årsdag
    "Venner",                                   // 11
    "Skolebegivenhet",                          // 12
    "Reise",                                    // 13
    "Jeg elsker deg",                           // 14
    "Mange takk!",                              // 15
    "God Jul og Godt Nytt \xC5r!",              // 16 God Jul og Godt Nytt År!
    "Gratulerer med f\xF8" "dselsdagen!",       // 17 Gratulerer med fødselsdagen!
    "Gratulerer!",                              // 18
    "God Jul",                                  // 19
    "Festival",                                 // 20
    "F\xF8rste skoledag",                       // 21 Første skoledag
    "P\xE5 tur",                                // 22 På tur
    "Nytt\xE5r",                                // 23 Nyttår
    "P\xE5ske",                                 // 24 Påske
    "Godt Nytt \xC5r!",                         // 25 Godt Nytt År!
    "Gjenforening",                             // 26
    "Farsdag",                                  // 27
    "Morsdag",                                  // 28
    "Minner",                                   // 29
    "Barned\xE5p",                              // 30 Barnedåp
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "17. Mai",                                  // 50
    "Sankthans",                                // 51
    "Pinse",                                    // 52
    "Fastelavn",                                // 53
    "Sk\xE5l!",                                 // 54 Skål!
    "Konfirmasjon",                             // 55
    "Juletrefest",                              // 56
    "God reise",                                // 57
    "\xC6resgjest",                             // 58 Æresgjest
    "Velkommen!",                               // 59
    "S\xF8lvbryllup",                           // 60 Sølvbryllup
    "Gullbryllup",                              // 61
    "Kristi Himmelfartstag",                    // 62
    "1. Mai",                                   // 63
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 64..71
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 72..79
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 80..87
    NO_TITLE, NO_TITLE, NO_TITLE,               // 88..90
};

// Portuguese, language 9.
constexpr const char* const PORTUGUESE[] = {
    "Natal",                                    // 0
    "Anivers\xE1rio",                           // 1 Aniversário
    "F\xE9rias",                                // 2 Férias
    "Lua de mel",                               // 3
    "Casamento",                                // 4
    NO_TITLE,                                   // 5
    "Formatura",                                // 6
    "Familia",                                  // 7
    "Festa",                                    // 8
    "Feriado",                                  // 9
    "Anivers\xE1rio",                           // 10 Aniversário
    "Amigos",                                   // 11
    "Eventos escoiares",                        // 12
    "Viagem",                                   // 13
    "Eu te amo",                                // 14
    "Obrigado",                                 // 15
    "Boas Festas",                              // 16
    "Feliz Anivers\xE1rio",                     // 17 Feliz Aniversário
    "Parab\xE9ns",                              // 18 Parabéns
    "Feliz Aniversario",                        // 19
    "Festival",                                 // 20
    "Primerio dia de aula",                     // 21
    "Excurs\xE3o",                              // 22 Excursão
    "Ano Novo",                                 // 23
    "P\xE1scoa",                                // 24 Páscoa
    "Feliz Ano Novo",                           // 25
    "Reuni\xE3o",                               // 26 Reunião
    "Dia dos Pais",                             // 27
    "Dia das M\xE3" "es",                       // 28 Dia das Mães
    "Lembran\xE7" "as",                         // 29 Lembranças
    "Batizado",                                 // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Dia dos Namorados",                        // 50
    "Festa de 15 Anos",                         // 51
    "Dias das Crian\xE7" "as",                  // 52 Dias das Crianças
    "Primeira Comunh\xE3s",                     // 53 Primeira Comunhãs
    "Carnaval",                                 // 54
    "S\xE3o Jo\xE3o",                           // 55 São João
    "S\xE3o Jos\xE9\"",                         // 56 São José"
    "S\xE3o Pedro",                             // 57 São Pedro
    "Festa da Padroeira",                       // 58
    "Dia de A\xE7\xE3o de Gra\xE7" "as",        // 59 Dia de Ação de Graças
    "Bodas de Prata",                           // 60
    "Bodas de Ouro",                            // 61
    "Curtindo o Ver\xE3o",                      // 62 Curtindo o Verão
    "Gradua\xE7\xE3o da Universidade",          // 63 Graduação da Universidade
    "Saudades",                                 // 64
    "Reuni\xE3o de Amigos",                     // 65 Reunião de Amigos
    "Venha nos Visitar",                        // 66
    "Deus te Aben\xE7oe",                       // 67 Deus te Abençoe
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 68..75
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 76..83
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 84..90
};

// Spanish, language 10.
constexpr const char* const SPANISH[] = {
    "Navidad",                                  // 0
    "Cumplea\xF1os",                            // 1 Cumpleaños
    "Vacaciones",                               // 2
    "Luna de miel",                             // 3
    "Boda",                                     // 4
    NO_TITLE,                                   // 5
    "Graduaci\xF3n",                            // 6 Graduación
    "Familia",                                  // 7
    "Fiesta",                                   // 8
    "Fiesta",                                   // 9
    "Aniversario",                              // 10
    "Amigos",                                   // 11
    "Acto escolar",                             // 12
    "Viaje",                                    // 13
    "Te quiero",                                // 14
    "Gracias",                                  // 15
    "Felices Pascuas",                          // 16
    "Feliz cumplea\xF1os",                      // 17 Feliz cumpleaños
    "Felicidades",                              // 18
    "Feliz Navidad",                            // 19
    "Festival",                                 // 20
    "Primer d\xED" "a de colegio",              // 21 Primer día de colegio
    "Tour",                                     // 22
    "A\xF1o Nuevo",                             // 23 Año Nuevo
    "Pascua de Resurrecci\xF3n",                // 24 Pascua de Resurrección
    "Feliz A\xF1o Nuevo",                       // 25 Feliz Año Nuevo
    "Reencuentro",                              // 26
    "D\xED" "a del Padre",                      // 27 Día del Padre
    "D\xED" "a del la Madre",                   // 28 Día del la Madre
    "Recuerdos",                                // 29
    "Bautismo",                                 // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "D\xED" "a del Corpus",                     // 50 Día del Corpus
    "D\xED" "a de la Hispanidad",               // 51 Día de la Hispanidad
    "Feliz d\xED" "a de la Hispanidad",         // 52 Feliz día de la Hispanidad
    "D\xED" "a de los Reyes Magos",             // 53 Día de los Reyes Magos
    "Cabalgata de Reyes",                       // 54
    "Semana Santa",                             // 55
    "D\xED" "a de la Primera Comuni\xF3n",      // 56 Día de la Primera Comunión
    "D\xED" "a de la Confirmaci\xF3n",          // 57 Día de la Confirmación
    "Carnaval",                                 // 58
    "Noche de Santo Patron",                    // 59
    "Fiestas Patronales",                       // 60
    "D\xED" "a del Santo Patr\xF3n",            // 61 Día del Santo Patrón
    "Trade de toros / En los toros",            // 62
    "La Pe\xF1" "a",                            // 63 La Peña
    "Encierros",                                // 64
    "Sanfermines",                              // 65
    "Verbena",                                  // 66
    "Veraneo",                                  // 67
    "Santo",                                    // 68
    "Saludos desde...",                         // 69
    "\xA1" "Buena Suerte!",                     // 70 ¡Buena Suerte!
    "Despedida",                                // 71
    "Adi\xF3s",                                 // 72 Adiós
    "Feliz Navidad y Pr\xF3spero A\xF1o Nuevo",  // 73 Feliz Navidad y Próspero Año Nuevo
    "Despedida de soltero",                     // 74
    "Despedida de soltera",                     // 75
    "Feliz Quincea\xF1" "era",                  // 76 Feliz Quinceañera
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 77..84
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 85..90
};

// Swedish, language 11.
constexpr const char* const SWEDISH[] = {
    "Jul",                                      // 0
    "F\xF6" "delsedag",                         // 1 Födelsedag
    "Semester",                                 // 2
    "Smekm\xE5nad",                             // 3 Smekmånad
    "Br\xF6llop",                               // 4 Bröllop
    NO_TITLE,                                   // 5
    "Avg\xE5ngsexamen",                         // 6 Avgångsexamen
    "Familj",                                   // 7
    "Fest",                                     // 8
    "Helgdag",                                  // 9
    "\xC5rsdag",                                // 10 Årsdag
    "V\xE4nner",                                // 11 Vänner
    "Skolevenemang",                            // 12
    "Resa",                                     // 13
    "Jag \xE4lskar dig",                        // 14 Jag älskar dig
    "Tack s\xE5 mycket!",                       // 15 Tack så mycket!
    "God jul och Gott Nytt \xC5r!",             // 16 God jul och Gott Nytt År!
    "Grattis p\xE5 f\xF6" "delsedagen",         // 17 Grattis på födelsedagen
    "Gratulerar!",                              // 18
    "God Jul",                                  // 19
    "Festival",                                 // 20
    "F\xF6rsta skoldagen",                      // 21 Första skoldagen
    "Rundtur",                                  // 22
    "Ny\xE5r",                                  // 23 Nyår
    "P\xE5sk",                                  // 24 Påsk
    "Gott Nytt \xC5r!",                         // 25 Gott Nytt År!
    "\xC5terf\xF6rening",                       // 26 Återförening
    "Fars dag",                                 // 27
    "Mors dag",                                 // 28
    "Minnen",                                   // 29
    "Barndop",                                  // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Sk\xE5l!",                                 // 50 Skål!
    "V\xE4lkommen!",                            // 51 Välkommen!
    "Hedersg\xE4st",                            // 52 Hedersgäst
    "Lycklig resa!",                            // 53
    "Midsommar",                                // 54
    "Luciadagen",                               // 55
    "Studentexamen",                            // 56
    "Konfirmation",                             // 57
    "Julfest",                                  // 58
    "Julgransplundring",                        // 59
    "Valborgsm\xE4ssoafton",                    // 60 Valborgsmässoafton
    "Pingst",                                   // 61
    "Kristi Himmelsf\xE4rdsdag",                // 62 Kristi Himmelsfärdsdag
    "Svenska flaggans dag",                     // 63
    "F\xF6rsta maj",                            // 64 Första maj
    "Glad Midsommar!",                          // 65
    "Glad P\xE5sk!",                            // 66 Glad Påsk!
    "Grattis p\xE5 namnsdagen!",                // 67 Grattis på namnsdagen!
    "Glad Pingst!",                             // 68
    "M\xE5rtensg\xE5s",                         // 69 Mårtensgås
    "Allhelgonadagen",                          // 70
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 71..78
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 79..86
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,     // 87..90
};

// U.K. English, language 12.
constexpr const char* const UK_ENGLISH[] = {
    "Christmas",                                // 0
    "Birthday",                                 // 1
    "Vacation",                                 // 2
    "Honeymoon",                                // 3
    "Wedding",                                  // 4
    "Hanukkah",                                 // 5
    "Graduation",                               // 6
    "Family",                                   // 7
    "Party",                                    // 8
    "Holiday",                                  // 9
    "Anniversary of Marriage",                  // 10
    "Friends",                                  // 11
    "School Event",                             // 12
    "Trip",                                     // 13
    "I Love You",                               // 14
    "Thank You",                                // 15
    "Season's Greetings",                       // 16
    "Happy Birthday",                           // 17
    "Congratulation",                           // 18
    "Merry Christmas",                          // 19
    "Festival",                                 // 20
    "First day of School",                      // 21
    "Tour",                                     // 22
    "New Year's",                               // 23
    "Easter",                                   // 24
    "Happy New Year",                           // 25
    "Reunion",                                  // 26
    "Father's Day",                             // 27
    "Mother's Day",                             // 28
    "Memories",                                 // 29
    "Baptism",                                  // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "New Year's Day",                           // 50
    "Happy New Year",                           // 51
    "Christmas Day",                            // 52
    "Boxing Day",                               // 53
    "St.Valentine's Day",                       // 54
    "Good Friday",                              // 55
    "Easter Monday",                            // 56
    "Happy Easter",                             // 57
    "St.George's Day",                          // 58
    "May Day Holiday",                          // 59
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 60..67
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 68..75
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 76..83
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 84..90
};

// U.S. English, language 13.
constexpr const char* const US_ENGLISH[] = {
    "Christmas",                                // 0
    "Birthday",                                 // 1
    "Vacation",                                 // 2
    "Honeymoon",                                // 3
    "Wedding",                                  // 4
    "Hanukkah",                                 // 5
    "Graduation",                               // 6
    "Family",                                   // 7
    "Party",                                    // 8
    "Holiday",                                  // 9
    "Anniversary",                              // 10
    "Friends",                                  // 11
    "School Event",                             // 12
    "Trip",                                     // 13
    "I Love You",                               // 14
    "Thank You",                                // 15
    "Season's Greetings",                       // 16
    "Happy Birthday",                           // 17
    "Congratulation",                           // 18
    "Merry Christmas",                          // 19
    "Festival",                                 // 20
    "First day of School",                      // 21
    "Tour",                                     // 22
    "New Year's",                               // 23
    "Easter",                                   // 24
    "Happy New Year",                           // 25
    "Reunion",                                  // 26
    "Father's Day",                             // 27
    "Mother's Day",                             // 28
    "Memories",                                 // 29
    "Baptism",                                  // 30
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 31..38
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 39..46
    NO_TITLE, NO_TITLE, NO_TITLE,               // 47..49
    "Halloween",                                // 50
    "Happy Holiday",                            // 51
    "Independence Day",                         // 52
    "Thanksgiving",                             // 53
    "Rosh Hashanah",                            // 54
    "Yom Kippur",                               // 55
    "Memorial Day",                             // 56
    "Labor Day",                                // 57
    "Valentine's Day",                          // 58
    "Canada Day",                               // 59
    "Victoria Day",                             // 60
    "Remembrance Day",                          // 61
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 62..69
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 70..77
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 78..85
    NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE, NO_TITLE,  // 86..90
};

// Languages 1..13 in order; languages 6 and 7 share the Japanese tables.
constexpr const char* const* const ENGLISH_WORDED_TABLES[TITLE_LANGUAGE_COUNT] = {
    nullptr,  // 0: no language, the placeholder rows
    DANISH, FINNISH, FRENCH, GERMAN, ITALIAN, JAPANESE_ENGLISH, JAPANESE_ENGLISH,
    NORWEGIAN, PORTUGUESE, SPANISH, SWEDISH, UK_ENGLISH, US_ENGLISH};

constexpr const char* const LANGUAGE_NAMES_ENGLISH[] = {
    NO_TITLE, "Danish", "Finnish", "French", "German", "Italian", "Japanese 1", "Japanese 2",
    "Norwegian", "Portuguese", "Spanish", "Swedish", "U.K. English", "U.S. English"};

// Half-width katakana with the double-byte 語 (0x8C 0xEA, "language"),
// 日本 (0x93 0xFA 0x96 0x7B) and 英 (0x89 0x70).
constexpr const char* const LANGUAGE_NAMES_JAPANESE[] = {
    NO_TITLE,                                  // 0
    "\xC3\xDE\xDD\xCF\xB0\xB8\x8C\xEA",        // 1 ﾃﾞﾝﾏｰｸ語
    "\xCC\xA8\xDD\xD7\xDD\xC4\xDE\x8C\xEA",    // 2 ﾌｨﾝﾗﾝﾄﾞ語
    "\xCC\xD7\xDD\xBD\x8C\xEA",                // 3 ﾌﾗﾝｽ語
    "\xC4\xDE\xB2\xC2\x8C\xEA",                // 4 ﾄﾞｲﾂ語
    "\xB2\xC0\xD8\xB1\x8C\xEA",                // 5 ｲﾀﾘｱ語
    "\x93\xFA\x96\x7B\x8C\xEA 1",              // 6 日本語 1
    "\x93\xFA\x96\x7B\x8C\xEA 2",              // 7 日本語 2
    "\xC9\xD9\xB3\xAA\xB0\x8C\xEA",            // 8 ﾉﾙｳｪｰ語
    "\xCE\xDF\xD9\xC4\xB6\xDE\xD9\x8C\xEA",    // 9 ﾎﾟﾙﾄｶﾞﾙ語
    "\xBD\xCD\xDF\xB2\xDD\x8C\xEA",            // 10 ｽﾍﾟｲﾝ語
    "\xBD\xB3\xAA\xB0\xC3\xDE\xDD\x8C\xEA",    // 11 ｽｳｪｰﾃﾞﾝ語
    "\xB2\xB7\xDE\xD8\xBD\x89\x70\x8C\xEA",    // 12 ｲｷﾞﾘｽ英語
    "\xB1\xD2\xD8\xB6\x89\x70\x8C\xEA",        // 13 ｱﾒﾘｶ英語
};

constexpr size_t TextLength(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

// Every table has all its rows (a table one row short would be read past
// its end) and every row fits its slot with the terminator.
template <size_t N>
constexpr bool RowsFit(const char* const (&rows)[N], size_t count, size_t slot) {
    if (N != count) return false;
    for (const char* row : rows) {
        if (TextLength(row) >= slot) return false;
    }
    return true;
}

static_assert(RowsFit(DANISH, TITLE_ROWS, TITLE_TEXT_BYTES) && RowsFit(FINNISH, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(FRENCH, TITLE_ROWS, TITLE_TEXT_BYTES) && RowsFit(GERMAN, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(ITALIAN, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(JAPANESE_ENGLISH, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(JAPANESE_KATAKANA, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(NORWEGIAN, TITLE_ROWS, TITLE_TEXT_BYTES) && RowsFit(PORTUGUESE, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(SPANISH, TITLE_ROWS, TITLE_TEXT_BYTES) && RowsFit(SWEDISH, TITLE_ROWS, TITLE_TEXT_BYTES) &&
              RowsFit(UK_ENGLISH, TITLE_ROWS, TITLE_TEXT_BYTES) && RowsFit(US_ENGLISH, TITLE_ROWS, TITLE_TEXT_BYTES));
static_assert(RowsFit(LANGUAGE_NAMES_ENGLISH, TITLE_LANGUAGE_COUNT, LANGUAGE_NAME_BYTES) &&
              RowsFit(LANGUAGE_NAMES_JAPANESE, TITLE_LANGUAGE_COUNT, LANGUAGE_NAME_BYTES));

}  // namespace

bool IsJapaneseTitleLanguage(uint8_t language) {
    return language == LANGUAGE_JAPANESE_1 || language == LANGUAGE_JAPANESE_2;
}

const char* TitleRow(uint8_t language, uint8_t code, bool katakana) {
    // Language 0 and languages 14..89 read the placeholder table, whose rows
    // are all "- - -"; so does every code past the table.
    if (language >= TITLE_LANGUAGE_COUNT || code >= TITLE_ROWS) return NO_TITLE;
    const char* const* table = ENGLISH_WORDED_TABLES[language];
    if (table == nullptr) return NO_TITLE;
    if (katakana && IsJapaneseTitleLanguage(language)) table = JAPANESE_KATAKANA;
    return table[code];
}

const char* LanguageName(uint8_t language, bool japanese) {
    if (language >= TITLE_LANGUAGE_COUNT) return NO_TITLE;
    return japanese ? LANGUAGE_NAMES_JAPANESE[language] : LANGUAGE_NAMES_ENGLISH[language];
}

#!/usr/bin/env python3
"""Writes resources/misc.cfg: Windows-1250, CR LF, one section per dictionary."""
import sys

PL_ORDER = "aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż"

def pl_key(text):
    return [PL_ORDER.index(c) if c in PL_ORDER else 100 + ord(c) for c in text.lower()]

def numbered(items, first=1):
    return [(first + i, t) for i, t in enumerate(items)]

NOTE = [
    "Słowniki programu Murmex: kody i nazwy danych konta, kategorie kanałów, podpowiedzi dnia.",
    "Kody są zapisywane w danych kont i kanałów na serwerze: nie zmieniaj numeracji istniejących",
    "pozycji, nowe dopisuj z kolejnym wolnym numerem. 0 i -1 znaczą w oknach \"nie wybrano\",",
    "więc żadna pozycja ich nie używa. Kraj 1 to \"nie podaję\": rejestracja wysyła go jako 0",
    "(nie podano). Kolejność pozycji w sekcji to kolejność na listach w oknach; kreatory",
    "pokazują pierwsze 12 języków i pierwsze 24 zainteresowania.",
    "",
]

countries_abroad = [
    "Argentyna", "Australia", "Austria", "Belgia", "Białoruś", "Brazylia", "Bułgaria",
    "Chiny", "Chorwacja", "Czechy", "Dania", "Estonia", "Finlandia", "Francja", "Grecja",
    "Hiszpania", "Holandia", "Irlandia", "Islandia", "Izrael", "Japonia", "Kanada",
    "Kazachstan", "Litwa", "Luksemburg", "Łotwa", "Meksyk", "Niemcy", "Norwegia",
    "Nowa Zelandia", "Portugalia", "Rosja", "Rumunia", "Serbia", "Słowacja", "Słowenia",
    "Stany Zjednoczone", "Szwajcaria", "Szwecja", "Turcja", "Ukraina", "Węgry",
    "Wielka Brytania", "Włochy",
]
country = [(1, "(nie podaję)"), (2, "Polska")] + numbered(sorted(countries_abroad, key=pl_key), 3)
country.append((country[-1][0] + 1, "inny kraj"))

city_size = numbered([
    "wieś",
    "miasto do 10 tys. mieszkańców",
    "miasto od 10 do 50 tys. mieszkańców",
    "miasto od 50 do 100 tys. mieszkańców",
    "miasto od 100 do 200 tys. mieszkańców",
    "miasto od 200 do 500 tys. mieszkańców",
    "miasto powyżej 500 tys. mieszkańców",
])

education = numbered([
    "podstawowe",
    "gimnazjalne",
    "zasadnicze zawodowe",
    "średnie ogólnokształcące",
    "średnie zawodowe (technikum)",
    "pomaturalne",
    "licencjat lub inżynier",
    "wyższe magisterskie",
    "doktorat",
    "doktor habilitowany lub profesor",
])

job = numbered([
    "uczeń",
    "student",
    "informatyka",
    "telekomunikacja",
    "handel",
    "usługi",
    "administracja publiczna",
    "edukacja i nauka",
    "służba zdrowia",
    "finanse i bankowość",
    "ubezpieczenia",
    "przemysł",
    "budownictwo",
    "rolnictwo",
    "transport i logistyka",
    "media i reklama",
    "marketing i sprzedaż",
    "kultura i sztuka",
    "prawo",
    "turystyka i gastronomia",
    "wojsko, policja, straż",
    "energetyka",
    "własna firma",
    "emeryt lub rencista",
    "bezrobotny",
    "prowadzę dom",
    "inny zawód",
])

# The wizards show the first 24 interests as check boxes: the most common come first.
interests = numbered([
    "muzyka", "film", "książki", "komputery", "Internet", "gry komputerowe", "sport",
    "piłka nożna", "podróże", "góry", "fotografia", "motoryzacja", "gotowanie", "moda",
    "teatr", "sztuka", "taniec", "zwierzęta", "przyroda i ekologia", "nauka i technika",
    "historia", "polityka", "psychologia", "języki obce",
    # Beyond the check boxes: still offered by the user search.
    "programowanie", "żeglarstwo", "wędkarstwo", "majsterkowanie", "ogrodnictwo",
    "kolekcjonerstwo", "astronomia", "kolarstwo",
])

# Likewise the first 12 languages become check boxes.
languages = numbered([
    "angielski", "niemiecki", "rosyjski", "francuski", "hiszpański", "włoski", "ukraiński",
    "czeski", "słowacki", "szwedzki", "holenderski", "portugalski",
    "białoruski", "litewski", "węgierski", "grecki", "norweski", "duński", "fiński",
    "japoński", "chiński", "arabski", "turecki", "łacina", "esperanto", "migowy",
])

categories = numbered([
    "Towarzyskie",
    "Miasta i regiony",
    "Młodzież",
    "Randki i flirt",
    "Muzyka",
    "Film i telewizja",
    "Sport",
    "Komputery i Internet",
    "Gry",
    "Hobby",
    "Nauka i edukacja",
    "Praca i biznes",
    "Polityka i społeczeństwo",
    "Inne",
])

hints = numbered([
    'Pasek główny może stać przy prawej krawędzi ekranu: w oknie "Opcje" wybierz "Przesuwaj '
    'wszystkie inne okna na bok". Pozostałe okna zrobią mu wtedy miejsce, a pasek zawsze '
    'będzie na wierzchu.',
    'Pasek główny schowasz przyciskiem obok przycisku zamykania, a program będzie działał dalej. '
    'Dwukrotne kliknięcie ikony Murmex-a w zasobniku systemowym pokaże go z powrotem.',
    'Gdy czeka na Ciebie nieprzeczytana wiadomość, dwukrotne kliknięcie ikony w zasobniku '
    'systemowym od razu ją otworzy i pokaże pasek główny.',
    'Znajomego przeniesiesz do innej grupy, przeciągając go lewym przyciskiem myszy na nazwę '
    'tej grupy. Grupy istnieją tylko na tym komputerze, więc ich układ nie zmienia niczego '
    'w serwisie.',
    'Kliknij raz znajomego, grupę albo kanał, a po chwili otworzy się menu z poleceniami. '
    'Dwukrotne kliknięcie od razu wykonuje najczęstsze polecenie, np. otwiera okno '
    'wiadomości do znajomego.',
    'Wolisz menu pod prawym przyciskiem myszy? W oknie "Opcje", w grupie "Lista znajomych '
    'i kanałów", wybierz "Prawym".',
    'Nową grupę założysz poleceniem "Dodaj grupę" z menu grupy. Tam też jest "Zmień nazwę", '
    'gdy zechcesz nazwać grupę inaczej.',
    'Ikona znajomego, która miga, oznacza nieprzeczytaną wiadomość od niego. Kliknij go '
    'dwukrotnie, aby ją przeczytać. Wszystkie wiadomości znajdziesz w menu '
    'głównym pod "Wiadomości".',
    'Przez Murmex-a wyślesz też SMS. Znajomego spoza serwisu dodaj jako kontakt lokalny '
    'z numerem komórki, a dwukrotne kliknięcie otworzy okno SMS. Gdy ktoś ma dwa numery, '
    'w "Opcjach" wybierzesz, którego używać.',
    'Licznik modemowy ("Licznik modemowy" w menu) mierzy każde połączenie modemowe i liczy '
    'impulsy według Twojej taryfy. Koszt trwającego połączenia widać na dole paska '
    'głównego.',
    'Cenę impulsu, długości impulsów w różnych godzinach, święta i dni wolne od pracy '
    'ustawisz w oknie licznika przyciskiem "Ustawienia". Dzięki temu licznik liczy tak, '
    'jak Twój operator.',
    'Przycisk "Wykaz" w oknie licznika zapisuje wykaz połączeń z wybranego miesiąca lub '
    'okresu w pliku billing.txt i od razu go otwiera. Porównasz go z rachunkiem '
    'telefonicznym.',
    'Przycisk "Statystyki" w oknie licznika pokazuje wykresy: długości i opłaty ostatnich '
    '30 połączeń, sumy w tym miesiącu i roku, w dniach tygodnia i w godzinach.',
    'Kanały czatu, na które często wchodzisz, dodaj do ulubionych. Są na drugiej zakładce '
    'paska głównego, a na kanał wejdziesz z jego menu poleceniem "Wejdź na kanał".',
    'Możesz założyć własny kanał czatu (menu "Kanał", "Załóż kanał"). Zostajesz jego operatorem, '
    'a kanał trafia do ulubionych, skąd wywołasz "Funkcje operatorskie".',
    'Z Murmex-a może korzystać kilka osób na jednym komputerze. Każda ma swoich znajomych, '
    'grupy i wiadomości. Zajrzyj do menu "Użytkownik": "Dodaj nowego" i "Zmień '
    'użytkownika".',
    'Szukasz ludzi o podobnych zainteresowaniach? Polecenie "Szukaj" z menu "Znajomy" '
    'znajdzie użytkowników według wieku, miasta, kraju, zawodu, języka i zainteresowań.',
    'Uzupełnij swoje dane (menu "Użytkownik", "Edycja danych użytkownika"): zainteresowania, '
    'języki i miasto pomogą innym Cię znaleźć. Tam też zmienisz hasło.',
    'Chcesz wiedzieć, kiedy znajomy wejdzie na Murmex-a? Otwórz jego okno i na zakładce '
    '"Przypomnienia" zamów powiadomienie e-mailem lub SMS-em.',
    'W oknie znajomego, na zakładce "Notatki", zapiszesz własne uwagi o nim. Nie są '
    'wysyłane do serwisu, zostają na tym komputerze.',
    'W "Opcjach", w grupie "Przy wejściu znajomego na chat-a", możesz kazać programowi '
    'otworzyć okno z informacją lub pokazać listę znajomych, gdy ktoś z nich wejdzie '
    'na czat.',
])

SECTIONS = [
    ("Country", country),
    ("CitySize", city_size),
    ("Education", education),
    ("Job", job),
    ("Interestance", interests),
    ("Language", languages),
    ("Category", categories),
    ("HotTip", hints),
]

def escape(text):
    assert "\\" not in text, text  # a trailing escaped backslash would hide the closing quote
    return text.replace('"', '\\"')

def main(path):
    lines = list(NOTE)
    for name, entries in SECTIONS:
        keys = [k for k, _ in entries]
        assert len(keys) == len(set(keys)), name
        assert all(k > 0 for k in keys), name
        lines.append("[" + name + "]")
        for key, text in entries:
            if name == "HotTip":
                assert len(text) <= 300, (len(text), text)
            lines.append('%d="%s"' % (key, escape(text)))
        lines.append("")
    data = "".join(line + "\r\n" for line in lines).encode("cp1250")
    with open(path, "wb") as out:
        out.write(data)
    for name, entries in SECTIONS:
        print(name, len(entries), file=sys.stderr)

main(sys.argv[1])

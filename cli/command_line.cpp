// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "vorelle_version.h"

#include <array>
#include <optional>

namespace CommandLine {
namespace {

using NumberSpelling::Region;
using NumberSpelling::Spelling;

// Qt's own options for the window, taken with one dash or two; those of the
// first list take the next argument as their value (unless written name=value).
constexpr std::array kQtOptionsWithValue{"platform",        "platformpluginpath",
                                         "platformtheme",   "plugin",
                                         "qwindowgeometry", "qwindowicon",
                                         "qwindowtitle",    "geometry",
                                         "title",           "icon",
                                         "display",         "name",
                                         "visual",          "session",
                                         "style",           "stylesheet"};
constexpr std::array kQtOptionsAlone{"reverse",       "widgetcount", "nograb",     "dograb",
                                     "testability",   "sync",        "fontengine", "dialogs",
                                     "qmljsdebugger", "qdevel"};

template <std::size_t N>
bool contains(const std::array<const char*, N>& names, QByteArrayView name) {
    for (const char* known : names) {
        if (name == QByteArrayView(known))
            return true;
    }
    return false;
}

// An option's name and value: "--spelling=1990" gives spelling and 1990.
struct Option {
    QByteArray name;
    QByteArray value;
    bool hasValue = false;
};

Option split(const QByteArray& argument, qsizetype dashes) {
    const qsizetype equals = argument.indexOf('=');
    if (equals < 0)
        return {argument.mid(dashes), {}, false};
    return {argument.mid(dashes, equals - dashes), argument.mid(equals + 1), true};
}

bool isLongOption(const QByteArray& argument) {
    return argument.startsWith("--");
}

// Whether some argument is a long option that is not Qt's: the program's own,
// or one it refuses. A Qt option's value is skipped, as Qt itself does.
bool anyOwnOption(const QByteArrayList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        if (!argument.startsWith('-') || argument == "--")
            continue;
        const Option option = split(argument, isLongOption(argument) ? 2 : 1);
        if (contains(kQtOptionsWithValue, option.name)) {
            if (!option.hasValue)
                ++i;
        } else if (isLongOption(argument) && !contains(kQtOptionsAlone, option.name)) {
            return true;
        }
    }
    return false;
}

Request refuse(const QString& why) {
    Request request;
    request.action = Action::Refuse;
    request.refusal = why;
    return request;
}

// An empty text shows as "« »".
QString quoted(const QByteArray& text) {
    return text.isEmpty() ? QStringLiteral("« »")
                          : QStringLiteral("« %1 »").arg(QString::fromUtf8(text));
}

// The names are read as vorelle.ini reads them (NumberSpelling's keys, case
// and surrounding blanks aside); "either" belongs to the exercise only: a
// line of words shows one form.
std::optional<Spelling> spellingNamed(const QByteArray& value) {
    const std::optional<Spelling> spelling =
        NumberSpelling::spellingFromKey(QString::fromUtf8(value));
    if (spelling == Spelling::Either)
        return std::nullopt;
    return spelling;
}

} // namespace

Request parse(const QByteArrayList& arguments) {
    if (!anyOwnOption(arguments))
        return {};
    Request request;
    bool words = false;
    QByteArray styleOption; // the first --spelling or --region, for a message
    // The first fault found; --help or --version anywhere still wins over it.
    QString refusal;
    const auto fault = [&refusal](const QString& why) {
        if (refusal.isEmpty())
            refusal = why;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        // A dash followed by a digit or nothing is a (bad) number, not an option.
        const bool option = argument.size() > 1 && argument[0] == '-' &&
                            !(argument[1] >= '0' && argument[1] <= '9') && argument[1] != ' ';
        if (!option) {
            request.numbers.append(argument);
            continue;
        }
        if (!isLongOption(argument)) {
            fault(QStringLiteral("option inconnue %1.").arg(quoted(argument)));
            continue;
        }
        const Option given = split(argument, 2);
        const QString name = QStringLiteral("--") + QString::fromUtf8(given.name);
        if (given.name == "words" || given.name == "help" || given.name == "version") {
            if (given.hasValue) {
                fault(QStringLiteral("l'option %1 ne prend pas de valeur.")
                          .arg(quoted(name.toUtf8())));
                continue;
            }
            if (given.name == "help")
                return {Action::Help, {}, {}, {}};
            if (given.name == "version")
                return {Action::Version, {}, {}, {}};
            words = true;
        } else if (given.name == "spelling" || given.name == "region") {
            const bool spelling = given.name == "spelling";
            const QString choices = spelling ? QStringLiteral("classic, traditional ou 1990")
                                             : QStringLiteral("fr, be ou ch");
            if (!given.hasValue && i + 1 == arguments.size()) {
                fault(QStringLiteral("l'option %1 attend une valeur : %2.")
                          .arg(quoted(name.toUtf8()), choices));
                continue;
            }
            const QByteArray value = given.hasValue ? given.value : arguments[++i];
            if (styleOption.isEmpty())
                styleOption = name.toUtf8();
            if (spelling) {
                const auto chosen = spellingNamed(value);
                if (chosen)
                    request.style.spelling = *chosen;
                else
                    fault(QStringLiteral("orthographe inconnue %1 ; les choix sont %2.")
                              .arg(quoted(value), choices));
            } else {
                const auto chosen = NumberSpelling::regionFromKey(QString::fromUtf8(value));
                if (chosen)
                    request.style.region = *chosen;
                else
                    fault(QStringLiteral("pays inconnu %1 ; les choix sont %2.")
                              .arg(quoted(value), choices));
            }
        } else {
            fault(QStringLiteral("option inconnue %1.").arg(quoted(argument)));
        }
    }
    if (!refusal.isEmpty())
        return refuse(refusal);
    if (!words) {
        // Only --spelling or --region (and perhaps numbers) remain here.
        return refuse(
            QStringLiteral("l'option %1 ne s'emploie qu'avec --words.").arg(quoted(styleOption)));
    }
    request.action = Action::Words;
    return request;
}

Request parse(int argc, const char* const* argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return parse(arguments);
}

QString usageLine() {
    return QStringLiteral("Utilisation : vorelle --words [--spelling classic|traditional|1990] "
                          "[--region fr|be|ch] [N...]");
}

QString helpText() {
    return usageLine() + QStringLiteral(R"(
              vorelle --help | --version
              vorelle [options de Qt pour la fenêtre]

Vorelle apprend à écrire les nombres en lettres. Sans option, il ouvre sa
fenêtre d'exercice, qui accepte les options de Qt (-platform, -style...).

Options :
  --words           écrit en lettres chaque nombre N, un par ligne, sans ouvrir
                    de fenêtre (même si Vorelle est ouvert). Sans N, lit un
                    nombre par ligne sur l'entrée standard et répond à chaque
                    ligne dès qu'elle est lue.
  --spelling ORTHO  l'orthographe des nombres pour --words :
                      classic      simplifiée, sans traits d'union, celle de
                                   l'exercice (par défaut) : dix sept
                      traditional  traditionnelle : dix-sept, vingt et un
                      1990         rectifiée (1990) : dix-sept, vingt-et-un
  --region PAYS     le pays des nombres pour --words :
                      fr  France (par défaut) : soixante-dix, quatre-vingts
                      be  Belgique : septante, quatre-vingts, nonante
                      ch  Suisse : septante, huitante, nonante
  --help            affiche cette aide.
  --version         affiche la version de Vorelle.

Les choix faits dans la fenêtre ne changent rien à --words.

Un nombre va de 0 à 999 999 999 999. Il s'écrit en chiffres, d'un bloc
(1000000) ou par groupes de trois séparés par un seul espace ("1 000 000",
entre guillemets dans le terminal). Un retour chariot en fin de ligne est
ignoré. Tout le reste est incorrect : ligne vide, signe, virgule ou point,
lettres, espace au début, à la fin ou en double, groupes irréguliers, nombre
trop grand. Une ligne incorrecte n'a pas de réponse : un message sur la sortie
d'erreur donne son numéro et son texte, et les autres lignes sont traitées.

Code de sortie : 0 si tout va bien, 2 si une option, un nombre ou une ligne
est incorrect, 1 si l'entrée ne peut pas être lue ou la sortie écrite.
)");
}

QString versionLine() {
    return QStringLiteral("vorelle " VORELLE_VERSION_STRING);
}

int run(const Request& request, std::FILE* in, std::FILE* out, std::FILE* err) {
    const auto print = [out, err](const QString& text) {
        const QByteArray bytes = text.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out);
        if (std::fflush(out) == 0 && !std::ferror(out))
            return int(WordsCommand::Done);
        std::fputs("vorelle : la sortie standard refuse l'écriture.\n", err);
        return int(WordsCommand::IoFailed);
    };
    switch (request.action) {
    case Action::OpenWindow:
        break;
    case Action::Words:
        return request.numbers.isEmpty()
                   ? WordsCommand::answerLines(in, request.style, out, err)
                   : WordsCommand::answerNumbers(request.numbers, request.style, out, err);
    case Action::Help:
        return print(helpText().chopped(1));
    case Action::Version:
        return print(versionLine());
    case Action::Refuse: {
        const QString text =
            QStringLiteral("vorelle : %1\n%2\nPour en savoir plus : vorelle --help\n")
                .arg(request.refusal, usageLine());
        std::fputs(text.toUtf8().constData(), err);
        std::fflush(err);
        return WordsCommand::BadInput;
    }
    }
    return WordsCommand::Done;
}

} // namespace CommandLine

#pragma once

namespace selenarc {

// The text of the help window, lines separated by "\r\n" and ending with one.
inline constexpr const char* kHelpText =
    "Pour voir apparaître vos trois cycles :\r\n"
    "- Tapez vos Prénom et Nom.\r\n"
    "- Tapez votre date de naissance (par exemple 01/10/1970).\r\n"
    "- Tapez votre heure de naissance (par exemple 12h40).\r\n"
    "- Choisisez le fuseau horaire si vous êtes né(e) hors de France.\r\n"
    "- Clickez sur \"Calculer\".\r\n"
    "\r\n"
    "* Regardez alors les trois onglets \"Cycle de vie\", \"Cycle socio-\r\n"
    "professionnel\" et \"Cycle d'individuation\".\r\n"
    "* Dans l'onglet \"Cycle de vie\", vous pouvez positionner des événements \r\n"
    "importants de votre vie ou des personnes proches de vous en indiquant \r\n"
    "leur date de naissance. Clickez pour cela sur le bouton \"Parents, \r\n"
    "Relations,événements\".\r\n"
    "* Lisez les interprétations en clickant sur les boutons \"Interpréter\" \r\n"
    "* Vous pouvez sauvegarder les éléments avec le menu Fichier/Enregistrer. \r\n"
    "Vous pouvez rappeler ces éléments avec le menu Fichier/Ouvrir.\r\n";

inline constexpr const char* kHelpHeading = "Comment Utiliser le logiciel Selenarc ?";

// Second line of the about box: the maker's rights notice.
inline constexpr const char* kAboutText =
    "Selenarc V1.1\r\n"
    "© 2026 Les développeurs de Selenarc. Logiciel libre sous licence GPL-3.0-or-later.";

}  // namespace selenarc

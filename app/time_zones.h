#pragma once

#include <array>
#include <string_view>

namespace selenarc {

// The 26 rows of the time-zone list; row r stands for r - 12 hours from Greenwich, no summer time.
inline constexpr std::array<std::string_view, 26> kTimeZoneRows = {
    "(GMT -12) Ligne de date internationale",
    "(GMT -11) Îles Midway, Samoa",
    "(GMT -10) Hawaii",
    "(GMT -09) Alaska",
    "(GMT -08) Pacifique, Tijuana",
    "(GMT -07) Arizona",
    "(GMT -06) Amérique centrale, Guadalajara, Mexico, Monterrey",
    "(GMT -05) Amérique de l'est, Bogota, Lima, Quito",
    "(GMT -04) La Paz, Manaus, Santiago",
    "(GMT -03) Brasilia, Buenos Aires, Georgetown, Groenland, Montevideo",
    "(GMT -02) Centre-Atlantique",
    "(GMT -01) Îles du Cap-Vert, Les Açores",
    "(GMT      ) Greenwich, Dublin, Lisbonne, Londres, Casablanca, Monrovia, ",
    "(GMT +01) Paris, Bruxelles, Amsterdam, Berlin, Berne, Rome, Stocholm, Vienne",
    "(GMT +02) Athènes, Beyrouth, Istambul, Minsk, Bucarest, Helinski, Le Caire",
    "(GMT +03) Bagdad, Koweit, Riyad, Moscou, Nairobi, Téhéran",
    "(GMT +04) Abu Dhabi, Muscat, Baku, Erevan",
    "(GMT +05) Islamabad, Karachi; Tachkent",
    "(GMT +06) Almaty, Novosibirsk",
    "(GMT +07) Bangkok, Hanoi, Djakarta, Krasnoïarsk",
    "(GMT +08) Irkoutsk, Ulaan Bataar, Kuala Lumpur, Singapour, Pékin, Hong Kong, Perth, Taipei",
    "(GMT +09) Osaka, Sapporo, Tokyo, Séoul",
    "(GMT +10) Brisbane, Melbourne, Sydney, Vladivostok",
    "(GMT +11) Îles Salomon, Nouvelle Calédonie",
    "(GMT +12) Auckland, Wellington, Fidji, Kamtchatka, Îles Marshall",
    "(GMT +13) Nuku'alofa",
};

}  // namespace selenarc

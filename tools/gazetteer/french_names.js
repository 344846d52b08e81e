// Hand-made French names: where the French form differs from the source's, or where the
// source's translation is missing, wrong, or written "Name, Qualifier" (which would clash
// with the "Place (Region, Country)" display form).

// Places: "country code:name in the source" -> French name. Applied to the most populous
// place of that name in that country; the source name stays searchable.
exports.places = {
    // Belgium, Switzerland, Luxembourg: the French name of towns listed under another language.
    'BE:Brussels': 'Bruxelles', 'BE:Antwerpen': 'Anvers', 'BE:Gent': 'Gand', 'BE:Brugge': 'Bruges',
    'BE:Leuven': 'Louvain', 'BE:Mechelen': 'Malines', 'BE:Kortrijk': 'Courtrai', 'BE:Ostend': 'Ostende',
    'BE:Ieper': 'Ypres', 'BE:Sint-Niklaas': 'Saint-Nicolas', 'BE:Aalst': 'Alost', 'BE:Tongeren': 'Tongres',
    'BE:Roeselare': 'Roulers', 'BE:Sint-Truiden': 'Saint-Trond', 'BE:Dendermonde': 'Termonde',
    'BE:Oudenaarde': 'Audenarde', 'BE:Geraardsbergen': 'Grammont', 'BE:Vilvoorde': 'Vilvorde',
    'BE:Halle': 'Hal', 'BE:Lier': 'Lierre', 'BE:Diksmuide': 'Dixmude', 'BE:Veurne': 'Furnes',
    'BE:Tienen': 'Tirlemont', 'BE:Menen': 'Menin', 'BE:Ronse': 'Renaix', 'BE:Waregem': 'Waereghem',
    'CH:Zürich': 'Zurich', 'CH:Basel': 'Bâle', 'CH:Bern': 'Berne', 'CH:Luzern': 'Lucerne',
    'CH:Sankt Gallen': 'Saint-Gall', 'CH:Biel/Bienne': 'Bienne', 'CH:Sitten': 'Sion',
    'CH:Schaffhausen': 'Schaffhouse', 'CH:Chur': 'Coire', 'CH:Zug': 'Zoug', 'CH:Thun': 'Thoune',
    'CH:Solothurn': 'Soleure', 'CH:Winterthur': 'Winterthour',
    // Large foreign cities with a common French name.
    'GB:London': 'Londres', 'GB:Edinburgh': 'Édimbourg', 'GB:Dover': 'Douvres', 'GB:Canterbury': 'Cantorbéry',
    'DE:Munich': 'Munich', 'DE:Köln': 'Cologne', 'DE:Frankfurt am Main': 'Francfort-sur-le-Main',
    'DE:Hamburg': 'Hambourg', 'DE:Nürnberg': 'Nuremberg', 'DE:Aachen': 'Aix-la-Chapelle', 'DE:Mainz': 'Mayence',
    'DE:Trier': 'Trèves', 'DE:Saarbrücken': 'Sarrebruck', 'DE:Dresden': 'Dresde', 'DE:Koblenz': 'Coblence',
    'DE:Braunschweig': 'Brunswick', 'DE:Hannover': 'Hanovre', 'DE:Regensburg': 'Ratisbonne',
    'DE:Augsburg': 'Augsbourg', 'DE:Freiburg': 'Fribourg-en-Brisgau', 'DE:Brandenburg an der Havel': 'Brandebourg',
    'RU:Moscow': 'Moscou', 'RU:Saint Petersburg': 'Saint-Pétersbourg', 'AT:Vienna': 'Vienne',
    'IT:Venice': 'Venise', 'IT:Genoa': 'Gênes', 'IT:Padova': 'Padoue', 'IT:Mantova': 'Mantoue',
    'IT:Livorno': 'Livourne', 'IT:Palermo': 'Palerme', 'IT:Siena': 'Sienne',
    'PL:Warsaw': 'Varsovie', 'PL:Kraków': 'Cracovie', 'PT:Lisbon': 'Lisbonne', 'ES:Barcelona': 'Barcelone',
    'ES:Sevilla': 'Séville', 'ES:Zaragoza': 'Saragosse', 'ES:Cadiz': 'Cadix', 'ES:Córdoba': 'Cordoue',
    'GR:Athens': 'Athènes', 'GR:Thessaloníki': 'Thessalonique', 'CN:Beijing': 'Pékin', 'CN:Nanjing': 'Nankin',
    'EG:Cairo': 'Le Caire', 'EG:Alexandria': 'Alexandrie', 'DZ:Algiers': 'Alger',
    'MA:Marrakesh': 'Marrakech', 'MA:Tangier': 'Tanger', 'MA:Fès': 'Fès', 'MA:Meknès': 'Meknès',
    'NL:The Hague': 'La Haye', 'DK:Copenhagen': 'Copenhague', 'RO:Bucharest': 'Bucarest',
    'IL:Jerusalem': 'Jérusalem', 'LB:Beirut': 'Beyrouth', 'SY:Damascus': 'Damas', 'IQ:Baghdad': 'Bagdad',
    'IR:Tehran': 'Téhéran', 'CU:Havana': 'La Havane', 'ZA:Cape Town': 'Le Cap', 'UA:Kyiv': 'Kiev',
    'US:Philadelphia': 'Philadelphie', 'US:New Orleans': 'La Nouvelle-Orléans', 'US:New York City': 'New York',
    'MX:Mexico City': 'Mexico', 'SG:Singapore': 'Singapour', 'KR:Seoul': 'Séoul',
    'VN:Ho Chi Minh City': 'Hô Chi Minh-Ville', 'TR:Istanbul': 'Istanbul', 'SE:Göteborg': 'Göteborg',
    'BY:Minsk': 'Minsk', 'SA:Mecca': 'La Mecque', 'IN:Kolkata': 'Calcutta', 'TN:Tunis': 'Tunis',
};

// Countries whose French name from the translations reads "Name, Qualifier", or is missing.
exports.countries = {
    AX: 'Åland', BQ: 'Pays-Bas caribéens', BV: 'Île Bouvet', CC: 'Îles Cocos', CK: 'Îles Cook',
    CX: 'Île Christmas', FK: 'Îles Malouines', FM: 'Micronésie', FO: 'Îles Féroé',
    HM: 'Îles Heard-et-MacDonald', IR: 'Iran', KY: 'Îles Caïmans', LA: 'Laos', MF: 'Saint-Martin',
    NF: 'Île Norfolk', PS: 'Palestine', RE: 'La Réunion', RU: 'Russie', SB: 'Îles Salomon',
    SH: 'Sainte-Hélène', SX: 'Sint Maarten', SY: 'Syrie', TC: 'Îles Turques-et-Caïques', TR: 'Turquie',
    VA: 'Vatican', VI: 'Îles Vierges des États-Unis', XK: 'Kosovo', GF: 'Guyane', GL: 'Groenland',
    BN: 'Brunei', MO: 'Macao',
};

// Regions whose translation is missing or wrong (ISO 3166-2 code -> French name).
exports.regions = {
    'GB-ENG': 'Angleterre', 'GB-SCT': 'Écosse', 'GB-WLS': 'Pays de Galles', 'GB-NIR': 'Irlande du Nord',
    'BE-VLI': 'Limbourg', 'DE-TH': 'Thuringe', 'LU-CL': 'Clervaux', 'LU-ES': 'Esch-sur-Alzette',
    'LU-VD': 'Vianden', 'LU-RD': 'Redange', 'CA-QC': 'Québec',
    'IT-36': 'Frioul-Vénétie Julienne', 'IT-32': 'Trentin-Haut-Adige', 'PT-30': 'Madère', 'PT-20': 'Açores',
    'NL-LI': 'Limbourg', 'NL-FR': 'Frise', 'IT-57': 'Marches', 'CH-FR': 'Fribourg',
    'US-WV': 'Virginie-Occidentale', 'CA-NB': 'Nouveau-Brunswick', 'CA-PE': 'Île-du-Prince-Édouard',
    'CA-NT': 'Territoires du Nord-Ouest',
    'ES-AN': 'Andalousie', 'ES-AR': 'Aragon', 'ES-AS': 'Asturies', 'ES-IB': 'Baléares', 'ES-CN': 'Canaries',
    'ES-CB': 'Cantabrie', 'ES-CL': 'Castille-et-León', 'ES-CM': 'Castille-La Manche', 'ES-CT': 'Catalogne',
    'ES-EX': 'Estrémadure', 'ES-GA': 'Galice', 'ES-RI': 'La Rioja', 'ES-MD': 'Madrid', 'ES-MC': 'Murcie',
    'ES-NC': 'Navarre', 'ES-PV': 'Pays basque', 'ES-VC': 'Communauté valencienne', 'ES-CE': 'Ceuta',
    'ES-ML': 'Melilla',
};

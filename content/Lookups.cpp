#include "content/Lookups.h"

namespace modYogasana {

const std::vector<LookupRow> &BodyPartTable()
{
    static const std::vector<LookupRow> table = {
        {QStringLiteral("Abdomen"), {1, 3, 4, 7, 11, 14, 22, 24, 26, 29}},
        {QStringLiteral("Ankles"), {1, 5, 6, 14, 22, 24, 26, 29, 30}},
        {QStringLiteral("Arches"), {24, 29, 30}},
        {QStringLiteral("Arms"), {0}},
        {QStringLiteral("Bladder"), {14}},
        {QStringLiteral("Brain"), {7, 14, 16, 27}},
        {QStringLiteral("Buttocks"), {3, 19, 24}},
        {QStringLiteral("Calves"), {1, 5, 19, 27, 30}},
        {QStringLiteral("Chest"), {1, 3, 4, 6, 11, 22, 30}},
        {QStringLiteral("Diaphragm"), {14, 22, 24, 29, 30}},
        {QStringLiteral("Digestive Organs"), {16, 27, 29}},
        {QStringLiteral("Foot"), {24, 30}},
        {QStringLiteral("Groins"), {1, 4, 26, 30}},
        {QStringLiteral("Hamstrings"), {16, 27}},
        {QStringLiteral("Hands / Fingers"), {0, 3, 22}},
        {QStringLiteral("Heart"), {0, 3, 17, 18, 20, 28}},
        {QStringLiteral("Hips"), {2, 5, 6, 27}},
        {QStringLiteral("Intestines"), {2}},
        {QStringLiteral("Kidneys"), {2, 3, 16, 27}},
        {QStringLiteral("Knees"), {2, 14, 22, 24, 27, 30}},
        {QStringLiteral("Legs"), {14, 24, 30}},
        {QStringLiteral("Live"), {2, 3, 16, 27}},
        {QStringLiteral("Lower Back"), {2, 19, 24, 30}},
        {QStringLiteral("Lungs"), {3, 19}},
        {QStringLiteral("Neck"), {2, 4, 11, 19, 26}},
        {QStringLiteral("Ovaries"), {16}},
        {QStringLiteral("Pelvis"), {14, 30}},
        {QStringLiteral("Pituitary"), {4, 12}},
        {QStringLiteral("Prostate Gland"), {18}},
        {QStringLiteral("Shoulders"), {1, 2, 4, 5, 6, 7, 11, 16, 26, 30}},
        {QStringLiteral("Spine"), {1, 2, 3, 4, 7, 11, 14, 16, 30}},
        {QStringLiteral("Thighs"), {1, 4, 5, 6, 19, 24, 26, 27, 29, 30}},
        {QStringLiteral("Thyroid"), {7, 18}},
        {QStringLiteral("Upper Back"), {2, 3, 16, 19, 29}},
        {QStringLiteral("Uterus"), {16, 18}},
        {QStringLiteral("Wrists"), {0, 4}},
    };
    return table;
}

const std::vector<LookupRow> &TherapeuticApplicationTable()
{
    static const std::vector<LookupRow> table = {
        {QStringLiteral("Anxiety"), {0, 1, 4, 10, 11, 12, 14, 16, 26, 27}},
        {QStringLiteral("Asthma"), {2, 3, 5, 11, 18, 20, 22, 23, 24, 26, 27, 29, 31}},
        {QStringLiteral("Arthritis"), {6, 20, 21, 25, 29, 30}},
        {QStringLiteral("Back Pain"), {1, 2, 3, 4, 5, 7, 11, 17, 19, 20, 26}},
        {QStringLiteral("Carpal Tunnel Syndrome"), {0}},
        {QStringLiteral("Constipation"), {2, 7, 11, 17, 24, 25}},
        {QStringLiteral("Diabetes"), {2, 3, 11, 17, 18}},
        {QStringLiteral("Fatigue"), {1, 2, 3, 4, 7, 11, 16, 19, 20, 26, 27}},
        {QStringLiteral("Flat Feet"), {24, 29, 30}},
        {QStringLiteral("Headache"), {3, 7, 16, 17, 20, 27}},
        {QStringLiteral("High Blood Pressure"), {16, 20, 23, 27, 29}},
        {QStringLiteral("Hyperacidity"), {3, 19, 20, 28, 31}},
        {QStringLiteral("Hyperthyroidism"), {11, 17, 18}},
        {QStringLiteral("Hypothyroidism"), {11, 17, 18}},
        {QStringLiteral("Infertility"), {2, 7, 16, 27}},
        {QStringLiteral("Insomnia"), {3, 7, 16, 19, 20, 24, 27}},
        {QStringLiteral("Memory"), {18, 21, 28}},
        {QStringLiteral("Menopause"), {7, 16, 27}},
        {QStringLiteral("Menstruation"), {1, 2, 4, 8, 11, 14, 16, 26}},
        {QStringLiteral("Migraine"), {2, 4, 13, 18, 30}},
        {QStringLiteral("Mild Depression"), {20, 27}},
        {QStringLiteral("Neck Pain"), {20}},
        {QStringLiteral("Obesity"), {2, 3, 4, 16, 17, 19, 20, 22}},
        {QStringLiteral("Osteoporosis"), {1, 27}},
        {QStringLiteral("Piles"), {11, 17, 18, 24}},
        {QStringLiteral("Pregnancy"), {14}},
        {QStringLiteral("Sciatica"), {1, 2, 5, 14, 24, 30}},
        {QStringLiteral("Sinusitis"), {3, 4, 7, 11, 16, 17, 20, 22, 27}},
        {QStringLiteral("Spondylitis"), {2, 3, 4, 9, 17, 28, 30}},
        {QStringLiteral("Stress"), {0, 3, 7, 20, 27}},
        {QStringLiteral("Varicose Veins"), {11, 17, 18, 20, 24}},
    };
    return table;
}

namespace {

std::vector<AsanaIndex> &bodyPartHits()
{
    static std::vector<AsanaIndex> hits;
    return hits;
}

std::vector<AsanaIndex> &applicationHits()
{
    static std::vector<AsanaIndex> hits;
    return hits;
}

QStringList listAsanas(const std::vector<LookupRow> &table, std::vector<AsanaIndex> &hits, const QString &key)
{
    LoadSanskritNames();
    hits.clear();
    for (const LookupRow &row : table) {
        if (row.key == key) {
            hits = row.asanas;
            break;
        }
    }
    QStringList names;
    for (AsanaIndex hit : hits)
        names << Catalogue().SanskritName.at(size_t(hit));
    return names;
}

QStringList keysOf(const std::vector<LookupRow> &table)
{
    QStringList keys;
    for (const LookupRow &row : table)
        keys << row.key;
    return keys;
}

} // namespace

const std::vector<AsanaIndex> &BodyPartHits() { return bodyPartHits(); }
const std::vector<AsanaIndex> &TherapeuticApplicationHits() { return applicationHits(); }

QStringList ListAsanasByBodyPart(const QString &bodyPart)
{
    return listAsanas(BodyPartTable(), bodyPartHits(), bodyPart);
}

QStringList ListAsanasByTherapeuticApplication(const QString &application)
{
    return listAsanas(TherapeuticApplicationTable(), applicationHits(), application);
}

QStringList AsanaNames()
{
    QStringList names;
    for (const AsanaRecord &record : AsanaTexts())
        names << record.SanskritName;
    return names;
}

QStringList BodyParts() { return keysOf(BodyPartTable()); }
QStringList TherapeuticApplications() { return keysOf(TherapeuticApplicationTable()); }

} // namespace modYogasana

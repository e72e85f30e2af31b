// What the operator types into the add form goes to the OLT in Windows-1250
// and must not hold the CLI's help key.
#include "core/add_ont_batch.h"
#include "core/form_input_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace tervix::core;

AddOntValues validForm()
{
    AddOntValues f;
    f.ponTypeIndex = 2;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.id = QStringLiteral("6");
    f.mac = QStringLiteral("4857544311E70E9A");
    f.name = QStringLiteral("Jan Kowalski");
    f.lineProfile = QStringLiteral("10");
    f.srvProfile = QStringLiteral("11");
    f.rows[0].enabled = true;
    f.rows[0].serviceport = QStringLiteral("20");
    f.rows[0].vlan = QStringLiteral("1010");
    f.rows[0].userVlan = QStringLiteral("1010");
    f.rows[0].gemport = QStringLiteral("100");
    return f;
}

TEST(FormCodePage, NameAndCustomerIdHoldOnlyWhatTheOltCanTake)
{
    const struct
    {
        QString text;
        bool ok;
    } cases[] = {
        {QStringLiteral("Zażółć gęślą jaźń ŻÓŁW"), true},   // every Polish letter
        {QStringLiteral("Müller, Čapek, Ödön"), true},       // Central European letters of the code page
        {QStringLiteral("ul. Długa 5/7 – lok. „B”"), true}, // its dash and quotes
        {QStringLiteral("Kowalski?"), false},                // the OLT's help key
        {QStringLiteral("a ? b"), false},
        {QStringLiteral("Иванов"), false},                   // Cyrillic is not in the code page
        {QStringLiteral("Café ☕"), false},
        {QStringLiteral("smile \U0001F600"), false},         // outside the basic plane
        {QStringLiteral("Łukasz €5"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(textError(c.text).isEmpty(), c.ok);
        EXPECT_EQ(nameError(c.text).isEmpty(), c.ok);

        AddOntValues name = validForm();
        name.name = c.text;
        const FormCheck byName = checkAddForm(name, true);
        EXPECT_EQ(!byName.error.has_value(), c.ok);
        if (byName.error) {
            EXPECT_EQ(byName.error->field, FieldRef{Field::Name});
            EXPECT_FALSE(byName.error->message.isEmpty()); // the invalid-data box, not only a colour
        }

        AddOntValues id = validForm();
        id.subscriberId = c.text;
        const FormCheck byId = checkAddForm(id, true);
        EXPECT_EQ(!byId.error.has_value(), c.ok);
        if (byId.error) {
            EXPECT_EQ(byId.error->field, FieldRef{Field::SubscriberId});
        }
    }
    // The box names the character, a whole one for a pair of halves.
    EXPECT_TRUE(textError(QStringLiteral("smile \U0001F600")).endsWith(QStringLiteral("\U0001F600")));
    EXPECT_TRUE(textError(QStringLiteral("x?")).contains(u'?'));
}

TEST(FormCodePage, NamesFromElsewhereLoseWhatTheOltCannotTake)
{
    const struct
    {
        QString in;
        QString out;
    } cases[] = {
        {QStringLiteral("Kto? Ja"), QStringLiteral("Kto  Ja")},
        {QStringLiteral("Иван Łoś"), QStringLiteral("     Łoś")},
        {QStringLiteral("a\U0001F600b"), QStringLiteral("a  b")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(makeFit(c.in), c.out) << c.in.toStdString();
        EXPECT_TRUE(textError(makeFit(c.in)).isEmpty()) << c.in.toStdString();
    }
}

} // namespace

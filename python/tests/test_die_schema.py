"""The JSON Schema of the die document: it takes every example document, refuses what the
reader refuses, and names exactly the families, shapes, liquids and keys of the core's tables."""
import copy
import json
import pathlib

import jsonschema
import pytest

import fluxeta

ROOT = pathlib.Path(__file__).resolve().parents[2]
SCHEMA = json.loads((ROOT / "docs" / "die-document.schema.json").read_text())
VALIDATOR = jsonschema.Draft202012Validator(SCHEMA)
DEFS = SCHEMA["$defs"]
TABLES = fluxeta.die_document_tables()
EXAMPLES = sorted([*(ROOT / "examples" / "dies").glob("*.json"),
                   *(ROOT / "tests" / "data" / "die").glob("*.json")])


def test_is_a_schema_of_its_draft():
    jsonschema.Draft202012Validator.check_schema(SCHEMA)


@pytest.mark.parametrize("path", EXAMPLES, ids=lambda path: path.name)
def test_takes_every_example_document_the_reader_takes(path):
    VALIDATOR.validate(json.loads(path.read_text()))
    fluxeta.solve_die(path, stations=4)


def t_die():
    return json.loads((ROOT / "examples" / "dies" / "t_die_newtonian.json").read_text())


def coat_hanger():
    return json.loads((ROOT / "examples" / "dies" / "coat_hanger_tables.json").read_text())


def changed(document, change):
    document = copy.deepcopy(document)
    change(document)
    return document


BAD = {
    "unknown top-level key": changed(t_die(), lambda d: d.update(flowrate=1)),
    "missing flow rate": changed(t_die(), lambda d: d.pop("flow_rate")),
    "zero flow rate": changed(t_die(), lambda d: d.update(flow_rate=0)),
    "negative density": changed(t_die(), lambda d: d.update(density=-1)),
    "one station": changed(t_die(), lambda d: d.update(stations=1)),
    "odd stations of a centre feed":
        changed(t_die(), lambda d: (d["geometry"].update(feed="centre"), d.update(stations=51))),
    "unknown family": changed(t_die(), lambda d: d["geometry"].update(family="fishtail")),
    "unknown geometry key": changed(t_die(), lambda d: d["geometry"].update(gaps=0.05)),
    "text for a number": changed(t_die(), lambda d: d["geometry"].update(gap="0.05")),
    "unknown shape": changed(t_die(), lambda d: d["geometry"]["manifold"].update(shape="oval")),
    "a rectangle without its width":
        changed(t_die(), lambda d: d["geometry"].update(manifold={"shape": "rectangle",
                                                                  "height": 1.0})),
    "a circle's height":
        changed(t_die(), lambda d: d["geometry"]["manifold"].update(height=2.0)),
    "a centre-fed tapered die":
        {**json.loads((ROOT / "examples" / "dies" / "tapered_window_liquid.json").read_text()),
         "geometry": {**json.loads((ROOT / "examples" / "dies" /
                                    "tapered_window_liquid.json").read_text())["geometry"],
                      "feed": "centre"}},
    "a coat-hanger of tables and design":
        changed(coat_hanger(), lambda d: d["geometry"].update(design="uniform")),
    "a coat-hanger without its land":
        changed(coat_hanger(), lambda d: d["geometry"].pop("land_length")),
    "a table of one point":
        changed(coat_hanger(), lambda d: d["geometry"].update(radius=[[0, 0.5]])),
    "a table of a zero radius":
        changed(coat_hanger(), lambda d: d["geometry"].update(radius=[[0, 0.5], [50, 0]])),
    "unknown liquid": changed(t_die(), lambda d: d.update(fluid={"model": "honey"})),
    "a power law without its index":
        changed(t_die(), lambda d: d.update(fluid={"model": "power-law", "K": 1.0})),
    "a liquid's foreign key":
        changed(t_die(), lambda d: d["fluid"].update(K=1.0)),
    "a shear-thickening Cross index":
        changed(t_die(), lambda d: d.update(fluid={"model": "cross", "eta0": 5.0,
                                                   "eta_inf": 0.05, "lambda": 0.1, "m": 1.5})),
    "unknown temperature law":
        changed(coat_hanger(), lambda d: d["fluid"]["temperature"].update(law="vft")),
    "a temperature below absolute zero":
        changed(coat_hanger(), lambda d: d["fluid"]["temperature"].update(die_temperature=-300)),
}


@pytest.mark.parametrize("name", BAD)
def test_refuses_what_the_reader_refuses(name):
    document = BAD[name]
    assert not VALIDATOR.is_valid(document)
    with pytest.raises(ValueError):
        fluxeta.solve_die(document)


def one_of(definition, key):
    """The names an enum of `definition`'s property `key` allows, and the branches it picks."""
    names = definition["properties"][key]["enum"]
    branches = {rule["if"]["properties"][key]["const"]: rule["then"]["$ref"].split("/")[-1]
                for rule in definition["allOf"]}
    assert set(branches) == set(names)
    return names, branches


def number_domain(schema):
    """The core's domain of a number the schema describes."""
    assert schema["type"] == "number"
    if schema.get("exclusiveMinimum") == 0:
        return "positive_at_most_one" if schema.get("maximum") == 1 else "positive"
    if schema.get("exclusiveMinimum") == -273.15:
        return "above_absolute_zero"
    assert schema["minimum"] == 0
    return "non_negative"


def key_domain(row):
    return "positive" if row["positive"] else "non_negative"


class TestNamesAreTheCoresTables:
    def test_families_and_their_geometry_keys(self):
        families, branches = one_of(DEFS["geometry"], "family")
        assert families == [row["family"] for row in TABLES["families"]]
        for row in TABLES["families"]:
            definition = DEFS[branches[row["family"]]]
            for key in row["keys"]:
                assert key["key"] in definition["required"]
                assert number_domain(definition["properties"][key["key"]]) == key_domain(key)
            feed = definition["properties"]["feed"]
            assert (feed == {"$ref": "#/$defs/feed"}) == row["centre_feed"]

    def test_uniform_coat_hanger_keys(self):
        properties = DEFS["coat-hanger"]["properties"]
        for key in TABLES["uniform_coat_hanger_keys"]:
            assert number_domain(properties[key["key"]]) == key_domain(key)

    def test_manifold_shapes_and_their_sizes(self):
        shapes, branches = one_of(DEFS["manifold"], "shape")
        assert shapes == [row["shape"] for row in TABLES["manifold_shapes"]]
        for row in TABLES["manifold_shapes"]:
            definition = DEFS[branches[row["shape"]]]
            assert set(definition["properties"]) == {"shape", *(k["key"] for k in row["sizes"])}
            assert set(definition["required"]) == set(definition["properties"])

    @pytest.mark.parametrize("kind, tables, key", [
        ("fluid", "liquid_models", "model"),
        ("temperature", "temperature_laws", "law"),
    ])
    def test_liquid_models_and_temperature_laws_with_their_parameters(self, kind, tables, key):
        names, branches = one_of(DEFS[kind], key)
        assert names == list(TABLES[tables])
        for name, parameters in TABLES[tables].items():
            definition = DEFS[branches[name]]
            own = {k: v for k, v in definition["properties"].items()
                   if k not in (key, "temperature", "name", "source")}
            assert list(own) == [parameter["key"] for parameter in parameters]
            for parameter in parameters:
                assert number_domain(own[parameter["key"]]) == parameter["domain"], parameter
            assert set(definition["required"]) == {key, *own}
        if kind == "fluid":
            assert names == [row["model"] for row in fluxeta.liquids()]

    def test_top_level_keys_their_defaults_and_the_stations(self):
        properties = SCHEMA["properties"]
        assert set(properties) == {"description", "geometry", "fluid", "stations",
                                   *(row["key"] for row in TABLES["process_keys"])}
        for row in TABLES["process_keys"]:
            assert number_domain(properties[row["key"]]) == key_domain(row)
            assert (row["key"] in SCHEMA["required"]) == row["required"]
            assert properties[row["key"]].get("default") == row["default"]
        least, most, default = TABLES["stations"]
        stations = properties["stations"]
        assert (stations["minimum"], stations["maximum"], stations["default"]) == \
            (least, most, default)

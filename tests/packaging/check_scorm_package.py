#!/usr/bin/env python3
"""The SCORM packages make web leaves beside the page, 1.2 and 2004 (4th
edition): each manifest is well-formed, of its edition, and launches the
page, which is the page itself, byte for byte. The pages' folder comes from
ZORELMINA_WEB_PAGES; without it, skipped (77)."""
import os
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

pages = os.environ.get("ZORELMINA_WEB_PAGES")
if not pages:
    print("ZORELMINA_WEB_PAGES is not set: skipped")
    sys.exit(77)
with open(os.path.join(pages, "app", "zorelmina.html"), "rb") as shown:
    page = shown.read()

# Each edition's namespaces, schema version and name of the SCO attribute.
editions = {
    "12": ("{http://www.imsproject.org/xsd/imscp_rootv1p1p2}", "1.2",
           "{http://www.adlnet.org/xsd/adlcp_rootv1p2}scormtype"),
    "2004": ("{http://www.imsglobal.org/xsd/imscp_v1p1}", "2004 4th Edition",
             "{http://www.adlnet.org/xsd/adlcp_v1p3}scormType"),
}
for edition, (cp, schema_version, sco_type) in editions.items():
    name = f"zorelmina-scorm{edition}.zip"
    with zipfile.ZipFile(os.path.join(pages, "app", name)) as package:
        assert sorted(package.namelist()) == ["imsmanifest.xml", "zorelmina.html"], name
        manifest = ElementTree.fromstring(package.read("imsmanifest.xml"))
        assert package.read("zorelmina.html") == page, f"the page in {name} is not zorelmina.html"
    assert manifest.find(f"{cp}metadata/{cp}schemaversion").text == schema_version, name
    organization = manifest.find(f"{cp}organizations/{cp}organization")
    assert organization.find(f"{cp}title").text == "Зорелмина", name
    item = organization.find(f"{cp}item")
    resource = manifest.find(f"{cp}resources/{cp}resource[@identifier='{item.get('identifierref')}']")
    assert resource.get(sco_type) == "sco" and resource.get("href") == "zorelmina.html", name
    print(f"{name}: a SCORM {schema_version} package that launches zorelmina.html")
